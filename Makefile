# One command builds every configuration and runs every test: make check
PRESETS_RUN := native sanitize win64
PRESETS_BUILD := win32

.PHONY: check bootstrap build $(addprefix check-,$(PRESETS_RUN)) $(addprefix build-,$(PRESETS_RUN) $(PRESETS_BUILD)) format clean

check: bootstrap $(addprefix check-,$(PRESETS_RUN)) build-win32

bootstrap:
	@./scripts/bootstrap.sh

build-%: bootstrap
	cmake --preset $* >/dev/null
	cmake --build --preset $*

check-%: build-%
	ctest --preset $*

build: $(addprefix build-,$(PRESETS_RUN) $(PRESETS_BUILD))

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
