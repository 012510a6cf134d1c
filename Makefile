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

# The 32-bit side: the shipped binaries and their tests, from the same sources.
build32: deps $(BUILD32)/build.ninja
	cmake --build $(BUILD32)

run: build
	@bash tools/run.sh

# Every test of the 64-bit build, then the 32-bit build's on Wine's 32-bit side where this machine
# runs it (tools/test-all.sh says which); fails if any fails.
test: build build32
	@bash tools/test-all.sh $(abspath $(BUILD)) $(abspath $(BUILD32))

dist: build build32
	@bash installer/build.sh $(BUILD)/dist $(BUILD) $(BUILD32)

clean:
	rm -rf $(BUILD) $(BUILD32)
