# make run: set up, build, start the launcher.  make test: set up, build, run every test.
BUILD ?= build
.PHONY: all deps build run test clean

all: build

deps:
	@bash tools/deps.sh

$(BUILD)/build.ninja: | deps
	cmake --preset mingw -B $(BUILD)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	@bash tools/run.sh

test: build
	@bash tools/run-tests.sh

clean:
	rm -rf $(BUILD)
