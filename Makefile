# The front door: `make run` and `make test` set up a fresh Debian machine,
# build both trees and then run the program or every test tier.
BUILD := build
NATIVE := $(BUILD)/native
WIN32_TREE := $(BUILD)/win32
FUZZ_TREE := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60
DIST := dist
GENERATOR := -G Ninja

.PHONY: all deps build test run dist bench fuzz clean

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
# Two tests run at a time; those that share a part of the Wine session hold it
# as a resource lock (cmake/windows.cmake).
test: build
	printf 'subdirs("native")\nsubdirs("win32")\n' > $(BUILD)/CTestTestfile.cmake
	cd $(BUILD) && ctest --output-on-failure --timeout 300 --parallel 2

run: build
	tools/run-tolvane $(BUILD)

# The release a Windows user downloads, the setup and the portable zip, which
# every build makes beside Tolvane.exe (cmake/dist.cmake), copied into dist/.
dist: build
	cmake --install $(WIN32_TREE) --component release --prefix $(DIST)

# The benchmarks live in the host tree but are built optimised and without
# sanitizers (bench/CMakeLists.txt); `make test` builds them, only this runs them.
# Then what the program costs in a minute idle in the tray, and how long a
# reading takes from the key to the voice in Notepad and WordPad, asking the
# control and copying: `make test` runs those cases too (the idle one over ten
# seconds), but shows their figures only when they fail.
bench: build
	cmake --build $(NATIVE) --target run_benchmarks
	cd $(WIN32_TREE) && TOLVANE_IDLE_SECONDS=60 \
	  ctest -R '^(Idle[.]|Reading[.]TheEditors)' --verbose > e2e-bench.log; \
	  status=$$?; grep -h -e '\[ Idle' -e '\[   TIME   \]' e2e-bench.log; exit $$status

# libFuzzer needs clang: a tree of its own, optimised. The corpus stays under
# it, so every run goes on from what the last one found.
$(FUZZ_TREE)/build.ninja: | deps
	cmake -S . -B $(FUZZ_TREE) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

fuzz: deps $(FUZZ_TREE)/build.ninja
	cmake --build $(FUZZ_TREE) --target text_preparation_fuzz words_file_fuzz
	for target in text_preparation words_file; do \
	  mkdir -p $(FUZZ_TREE)/corpus/$$target && \
	  (cd $(FUZZ_TREE) && fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) \
	    corpus/$$target) || exit 1; \
	done

clean:
	rm -rf $(BUILD)
