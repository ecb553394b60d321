# The commands of the README. Each installs what it needs through scripts/setup.
.PHONY: test bench demo
test:
	scripts/test
bench:
	scripts/bench
demo:
	scripts/demo
