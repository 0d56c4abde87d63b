# One command builds every configuration and runs every test: make check
PRESETS_RUN := native sanitize win64
PRESETS_BUILD := win32

.PHONY: check example bootstrap build $(addprefix check-,$(PRESETS_RUN)) $(addprefix build-,$(PRESETS_RUN) $(PRESETS_BUILD)) format clean

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
