# Top-level entry points; see README.md.
BUILD ?= build
X64 := $(BUILD)/x64
X86 := $(BUILD)/x86
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all setup setup-x86 build build-x64 build-x86 test test-x86 digests fuzz dist run run-x86 bench perf \
	shots clean format

all: build

setup:
	@bash tools/setup.sh

$(X64)/Makefile: Makefile
	cmake -S . -B $(X64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DCLOCK_TESTS=ON

$(X86)/Makefile: Makefile
	cmake -S . -B $(X86) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake -DCLOCK_TEST_PROGRAMS=ON

build-x64: setup $(X64)/Makefile
	@cmake --build $(X64) -j $(JOBS)

build-x86: setup $(X86)/Makefile
	@cmake --build $(X86) -j $(JOBS)

build: build-x64 build-x86

# The committed art must still be what the generators make; then every test under Wine on a
# private X server, ending with CTest's summary.
test: build
	@$(MAKE) art-check
	@tools/with-xvfb.sh tools/run-tests.sh $(X64)

# The shipped 32-bit program's stories (tests/x86), in an emulated x86-64 machine built once into
# a cache outside the clone (tools/x86/setup.sh); the 64-bit driver drives it there.
setup-x86: setup
	@bash tools/x86/setup.sh

test-x86: build setup-x86
	@tools/with-xvfb.sh tools/x86/with-guest.sh $(X86)/vm tools/x86/run-stories.sh $(X86) $(X64)

UNIT := tools/with-xvfb.sh $(X64)/wine-run $(X64)/bin/test_unit.exe

# Rewrites tests/face/frame_digests.txt from the frames the painter composes now.
digests: build-x64
	@CLOCK_UPDATE_DIGESTS=1 $(UNIT) --gtest_filter='FrameDigest.*'

# The fuzz loops of the unit tests, with many more rounds.
fuzz: build-x64
	@CLOCK_FUZZ_COUNT=$${CLOCK_FUZZ_COUNT:-20000} $(UNIT) --gtest_filter='*Fuzz*'

# The release archive for Windows users: dist/polkamina-clock-<version>.zip (see README.md).
dist: build-x86
	@tools/dist/make-dist.sh $(X86) dist

# The clock on $DISPLAY, or for a few seconds on a private X server with a screenshot.
run: build
	@tools/run-clock.sh $(X64)

# The same for the shipped 32-bit program, in the emulated machine (silent there).
run-x86: build setup-x86
	@tools/x86/run-clock.sh $(X86) $(X64)

bench: build-x64
	@tools/with-xvfb.sh $(X64)/wine-run $(X64)/bin/clock_bench.exe

# CPU per second of the running clock, each size, against xclock -update 1 (PERF_SECONDS=20).
perf: build-x64
	@tools/perf.sh $(X64)

# A screenshot of each size: build/shot-small.png, build/shot-medium.png, build/shot-large.png.
shots: build
	@tools/screenshots.sh $(X64)

clean:
	rm -rf $(BUILD) dist

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

-include tools/art/art.mk
