# Every target runs the same idempotent set-up first (packages, configure, build).
BUILD      ?= build
ASAN_BUILD ?= build-asan
WINDOWS_BUILD ?= build-windows
JOBS       ?= $(shell nproc)

.PHONY: all setup play test test-fast package windows bench fuzz soak match levels tune clean

all: setup

setup:
	tools/setup.sh $(BUILD)

play: setup
	@if [ -x $(BUILD)/gui/dovrel2 ]; then \
	  cd $(BUILD)/run && exec ../gui/dovrel2; \
	else \
	  echo "The desktop app is not built yet; the console engine is $(BUILD)/console/kelvo"; \
	fi

# kelvo.exe for 64-bit Windows, cross-built with mingw-w64 into $(WINDOWS_BUILD)/run
# beside its book; the windows tests of `make test` run it under wine64.
windows:
	tools/setup.sh $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKELVO_ENGINE_ONLY=ON

# Release build with the windows tests, then the same suites under AddressSanitizer
# and UndefinedBehaviorSanitizer.
# Without the cross compiler the windows tests skip themselves.
test: setup
	@if command -v x86_64-w64-mingw32-g++-posix >/dev/null; then $(MAKE) --no-print-directory windows; \
	else echo "no mingw-w64 cross compiler: kelvo.exe is not built"; fi
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	tools/setup.sh $(ASAN_BUILD) -DKELVO_SANITIZE=ON -DKELVO_GUI=OFF -DKELVO_BENCH=OFF
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS) -LE slow

test-fast: setup
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The Debian package $(BUILD)/kelvo_<version>_<arch>.deb (CPack), then its file
# list, dependencies and lintian checked.
package: setup
	cmake --build $(BUILD) --target package
	tools/check_package.sh $$(ls -t $(BUILD)/kelvo_*.deb | head -1)

bench:
	KELVO_EXTRA_PACKAGES="stockfish hyperfine valgrind strace" tools/setup.sh $(BUILD)
	tools/bench.sh $(BUILD)

# libFuzzer targets under ASan/UBSan, FUZZ_SECONDS each; any finding fails.
FUZZ_SECONDS ?= 60
fuzz:
	tools/setup.sh $(BUILD)
	FUZZ_SECONDS=$(FUZZ_SECONDS) tools/fuzz.sh build-fuzz

# A long match against a Debian engine through the real xboard (not part of test).
soak:
	KELVO_EXTRA_PACKAGES="fairymax" tools/setup.sh $(BUILD)
	tools/soak.sh $(BUILD)

# kelvo at a level (MATCH_LEVEL, default the top) against fairymax and phalanx,
# or against another level (MATCH_OPPONENTS="level:N") or build ("base:PATH"),
# through the real xboard from fixed openings; not part of test. Settings in
# tools/match.sh.
match:
	KELVO_EXTRA_PACKAGES="gnuchess stockfish" tools/setup.sh $(BUILD)
	tools/match.sh $(BUILD)

# Each level's rating on stockfish's UCI_Elo scale, from one match a level;
# not part of test. Settings in tools/level_ratings.sh.
levels:
	KELVO_EXTRA_PACKAGES="stockfish" tools/setup.sh $(BUILD)
	tools/level_ratings.sh $(BUILD)

# Self-play games, then the strong evaluation's weights fitted to their
# results (engine/search/evaluation_weights.cpp). Settings in tools/texel/tune.sh.
tune: setup
	tools/texel/tune.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WINDOWS_BUILD) build-fuzz
