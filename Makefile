# make run: set up, build, start the launcher.  make test: set up, build, run every test.
# make dist: the installers and zips under build/dist.
BUILD ?= build
BUILD32 ?= build32
.PHONY: all deps build build32 run test dist clean

all: build

deps:
	@bash tools/deps.sh

$(BUILD)/build.ninja: | deps
	cmake --preset mingw -B $(BUILD)

$(BUILD32)/build.ninja: | deps
	cmake --preset mingw32 -B $(BUILD32)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

# The 32-bit side: only the shipped binaries (its tests need Wine's 32-bit side).
build32: deps $(BUILD32)/build.ninja
	cmake --build $(BUILD32) --target Tessaly Vantosd Sonorel

run: build
	@bash tools/run.sh

# Every test of the 64-bit build, then the 32-bit binaries' import tables; fails if either fails.
test: build build32
	@bash tools/run-tests.sh; suite=$$?; \
	  ctest --test-dir $(BUILD32) --output-on-failure -R '^imports_'; imports=$$?; \
	  exit $$((suite || imports))

dist: build build32
	@bash installer/build.sh $(BUILD)/dist $(BUILD) $(BUILD32)

clean:
	rm -rf $(BUILD) $(BUILD32)
