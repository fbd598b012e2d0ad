# The two commands of the README.
.PHONY: run check build
run:
	scripts/run
check:
	scripts/check
build:
	scripts/build
