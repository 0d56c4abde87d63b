# One command builds every configuration and runs every test: make check
PRESETS_RUN := native sanitize win64 fuzz
PRESETS_BUILD := win32

# Pattern rules are never used for phony targets: check-% and build-% stay off
# this list (no files of those names exist).
.PHONY: check example bootstrap build fuzz-long leak-check bench format clean player-screenshot

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

# The README's picture of zetplay's HTML page: the example in headless
# chromium, as the test player_html_browser takes it.
player-screenshot: build-native
	ctest --preset native -R player_html_browser --output-on-failure
	mkdir -p docs
	cp build/native/player/artifacts/zetplay-example.png docs/zetplay-example.png

build: $(addprefix build-,$(PRESETS_RUN) $(PRESETS_BUILD))

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

# Long fuzzing, one harness after another: FUZZ_SECONDS each (default one
# hour), or FUZZ_RUNS executions each. New inputs and crashes stay in
# build/fuzz/fuzz/long; the summary gives each harness's executions.
FUZZ_SECONDS ?= 3600
FUZZ_RUNS ?= 0
fuzz-long: build-fuzz
	sh fuzz/fuzz_long.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_RUNS)

# The batch of failing sources that must give back every handle and its heap:
# natively, under the sanitizers (LeakSanitizer at exit) and under Wine. Part
# of make check; this runs it alone.
leak-check: build-native build-sanitize build-win64
	ctest --preset native -R leak_test
	ctest --preset sanitize -R leak_test
	ctest --preset win64 -R leak_test

# Compile figures of the Linux build and of the Windows build under Wine (not
# timed tests): see bench/compile_bench.cpp.
# Optimised builds of their own, so make check's unoptimised test builds do
# not distort the figures.
bench: bootstrap
	cmake --preset bench-native >/dev/null
	cmake --build --preset bench-native --target bench
	cmake --preset bench-win64 >/dev/null
	cmake --build --preset bench-win64 --target bench
