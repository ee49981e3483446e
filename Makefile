# The front door: `make run` and `make test` set up a fresh Debian machine,
# build both trees and then run the program or every test tier.
BUILD := build
NATIVE := $(BUILD)/native
WIN32_TREE := $(BUILD)/win32
GENERATOR := -G Ninja

.PHONY: all deps build test run clean

all: build

deps:
	@tools/install-deps

$(NATIVE)/build.ninja: | deps
	cmake -S . -B $(NATIVE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug

$(WIN32_TREE)/build.ninja: | deps
	cmake -S . -B $(WIN32_TREE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake

build: deps $(NATIVE)/build.ninja $(WIN32_TREE)/build.ninja
	cmake --build $(NATIVE)
	cmake --build $(WIN32_TREE)

# One ctest run over both trees, so the summary at the end counts every tier.
test: build
	printf 'subdirs("native")\nsubdirs("win32")\n' > $(BUILD)/CTestTestfile.cmake
	cd $(BUILD) && ctest --output-on-failure --timeout 300

run: build
	tools/run-tolvane $(BUILD)

clean:
	rm -rf $(BUILD)
