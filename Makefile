# The two commands of the README.
.PHONY: run check build bench fuzz tsan
run:
	scripts/run
check:
	scripts/check
build:
	scripts/build
bench: build
	build/bin/com_query_latency
	build/bin/monitor_cycles
fuzz:
	scripts/fuzz
tsan:
	scripts/tsan
