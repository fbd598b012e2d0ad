# The two commands of the README.
.PHONY: run check build bench
run:
	scripts/run
check:
	scripts/check
build:
	scripts/build
bench: build
	build/bench/com_query_latency
