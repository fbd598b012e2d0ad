# The two commands of the README.
.PHONY: run check build bench fuzz tsan package windows-check
run:
	scripts/run
check:
	scripts/check
build:
	scripts/build
bench:
	scripts/bench
fuzz:
	scripts/fuzz
tsan:
	scripts/tsan
package:
	scripts/package
windows-check:
	scripts/windows-check
