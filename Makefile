# Shorthands for the scripts; each installs what it needs first.
.PHONY: run test
run:
	scripts/run
test:
	scripts/test
