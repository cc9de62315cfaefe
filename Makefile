# Shorthands for the scripts; each installs what it needs first.
.PHONY: run test package bench
run:
	scripts/run
test:
	scripts/test
package:
	scripts/package
bench:
	scripts/bench
