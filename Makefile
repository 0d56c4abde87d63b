# One command builds every configuration and runs every test: make check
# native first: the Windows builds' cross-build tests compare with its program.
PRESETS_RUN := native sanitize win64 win32 fuzz

# Pattern rules are never used for phony targets: check-% and build-% stay off
# this list (no files of those names exist).
.PHONY: check check-wine-skip example bootstrap build dist check-dist vsix fuzz-long fuzz-keep leak-check bench format clean player-screenshot

check: bootstrap $(addprefix check-,$(PRESETS_RUN)) check-wine-skip check-dist

bootstrap:
	@./scripts/bootstrap.sh

build-%: bootstrap
	cmake --preset $* >/dev/null
	cmake --build --preset $*

check-%: build-%
	ctest --preset $*

# The skip path, on every machine: the win64 tree's Wine tests once more with
# its programs declared unable to run must all come out skipped.
check-wine-skip: build-win64
	/usr/bin/python3 tests/wine_skip/skip_path_test.py build/win64

# The main job: compile the example with the Linux program and show the result.
example: bootstrap
	cmake --preset native >/dev/null
	cmake --build --preset native --target zetcomp
	cd examples && ../build/native/compiler/shell/zetcomp demo.zts
	@echo "compiled file: $(CURDIR)/examples/demo.ztr"

build: $(addprefix build-,$(PRESETS_RUN))

# The packages, into dist/: the Linux programs (an optimised build of their
# own) as a Debian package and an archive, the 32-bit Windows programs as a
# ZIP (with the run-time library for 32- and 64-bit applications, the 64-bit
# one from an optimised win64 tree of its own), and the VS Code extension.
dist: bootstrap vsix
	cmake --preset dist-native >/dev/null
	cmake --build --preset dist-native
	cmake --preset dist-win64 >/dev/null
	cmake --build --preset dist-win64
	cmake --preset win32 -DZET_RUNTIME_X64_DIR=$(CURDIR)/build/dist-win64/runtime >/dev/null
	cmake --build --preset win32 --target zet_dist
	cd build/dist-native && cpack -B $(CURDIR)/build/dist-native/packages >/dev/null
	cd build/win32 && cpack -B $(CURDIR)/build/win32/packages >/dev/null
	mkdir -p dist
	cp build/dist-native/packages/zetrova*.deb build/dist-native/packages/zetrova*.tar.gz \
	  build/win32/packages/zetrova*.zip dist/
	@ls dist

# Unpacks each package and checks what it holds and that its programs work.
check-dist: dist build-native
	/usr/bin/python3 tests/packages/check_packages.py dist build/native

# The VS Code extension's package, dist/zetrova-zts-<version>.vsix.
vsix: bootstrap
	cmake --preset native -DZET_VSIX_DIR=$(CURDIR)/dist >/dev/null
	cmake --build --preset native --target vsix

# The README's picture of zetplay's HTML page: the example in headless
# chromium, as the test player_html_browser takes it.
player-screenshot: build-native
	ctest --preset native -R player_html_browser --output-on-failure
	mkdir -p docs
	cp build/native/player/artifacts/zetplay-example.png docs/zetplay-example.png

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist

# Long fuzzing, one harness after another: FUZZ_SECONDS each (default one
# hour), or FUZZ_RUNS executions each. New inputs and crashes stay in
# build/fuzz/fuzz/long; the summary gives each harness's executions.
FUZZ_SECONDS ?= 3600
FUZZ_RUNS ?= 0
fuzz-long: build-fuzz
	sh fuzz/fuzz_long.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_RUNS)

# Keeps what long runs found, since build/ does not outlive a checkout: the
# inputs of build/fuzz/fuzz/long that reach code the repository's corpus does
# not join fuzz/corpus/<name> (named by their SHA-1), where later runs start
# from them and the replay tests run them. Edges only, without their hit
# counts: such a set is several times smaller than one that keeps every count.
# By default every harness a long run has grown a corpus for.
FUZZ_KEEP ?= $(notdir $(wildcard build/fuzz/fuzz/long/corpus/*))
fuzz-keep: build-fuzz
	@for name in $(FUZZ_KEEP); do \
	  found=$(CURDIR)/build/fuzz/fuzz/long/corpus/$$name; \
	  [ -d "$$found" ] || continue; \
	  before=$$(ls fuzz/corpus/$$name | wc -l); \
	  build/fuzz/fuzz/fuzz_$$name -set_cover_merge=1 -use_counters=0 $(CURDIR)/fuzz/corpus/$$name "$$found" \
	    >build/fuzz/fuzz/long/$$name-keep.log 2>&1 || { cat build/fuzz/fuzz/long/$$name-keep.log; exit 1; }; \
	  echo "$$name: $$(( $$(ls fuzz/corpus/$$name | wc -l) - before )) inputs kept"; \
	done

# The batch of failing sources that must give back every handle and its heap:
# natively, under the sanitizers (LeakSanitizer at exit) and under Wine, 64-
# and 32-bit. Part of make check; this runs it alone.
leak-check: build-native build-sanitize build-win64 build-win32
	ctest --preset native -R leak_test
	ctest --preset sanitize -R leak_test
	ctest --preset win64 -R leak_test
	ctest --preset win32 -R leak_test

# Compile figures of the Linux build and of the Windows build under Wine (not
# timed tests): see bench/compile_bench.cpp.
# Optimised builds of their own, so make check's unoptimised test builds do
# not distort the figures.
bench: bootstrap
	cmake --preset bench-native >/dev/null
	cmake --build --preset bench-native --target bench
	cmake --preset bench-win64 >/dev/null
	cmake --build --preset bench-win64 --target bench
