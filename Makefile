# Every target runs the same idempotent set-up first (packages, configure, build).
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: all setup play test test-fast package bench fuzz soak clean

all: setup

setup:
	tools/setup.sh $(BUILD)

play: setup
	@if [ -x $(BUILD)/gui/dovrel2 ]; then \
	  cd $(BUILD)/run && exec ../gui/dovrel2; \
	else \
	  echo "The desktop app is not built yet; the console engine is $(BUILD)/console/kelvo"; \
	fi

# Release build, then the same suites under AddressSanitizer and UndefinedBehaviorSanitizer.
test: setup
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

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
