# One command builds every configuration and runs every test: make check
PRESETS_RUN := native sanitize win64 fuzz
PRESETS_BUILD := win32

# Pattern rules are never used for phony targets: check-% and build-% stay off
# this list (no files of those names exist).
.PHONY: check example bootstrap build fuzz-long format clean

check: bootstrap $(addprefix check-,$(PRESETS_RUN)) build-win32

bootstrap:
	@./scripts/bootstrap.sh

build-%: bootstrap
	cmake --preset $* >/dev/null
	cmake --build --preset $*

check-%: build-%
	ctest --preset $*

# The main job: compile the example with the Linux program and show the result.
example: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native --target zetcomp
	cd examples && ../build/native/compiler/shell/zetcomp demo.zts
	@echo "compiled file: $(CURDIR)/examples/demo.ztr"

build: $(addprefix build-,$(PRESETS_RUN) $(PRESETS_BUILD))

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

# Long fuzzing, one harness after another: FUZZ_SECONDS each (default one
# hour), or FUZZ_RUNS executions each. New inputs and crashes stay in
# build/fuzz/long; the summary gives each harness's executions.
FUZZ_SECONDS ?= 3600
FUZZ_RUNS ?= 0
fuzz-long: build-fuzz
	sh fuzz/fuzz_long.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_RUNS)
