# The two commands of the quick start, and a few more for developers.
BUILD ?= build
JOBS ?= $(shell nproc)
CTEST_ARGS ?=
PREFIX ?= /usr/local

.PHONY: setup build run test bench stress sanitize soak install package format clean

setup:
	@bash scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Without a display the program says so in one sentence and exits with status 2; that is not a
# build failure, so make stays quiet about it.
run: build
	@status=0; $(BUILD)/glimmerdeck || status=$$?; [ $$status -eq 2 ] || exit $$status

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# The random-event storms at full length: a million events on the model, 5,000 clicks and moves
# on the real window (about 3 minutes). GLIMMERDECK_STORM_SEED replays a run.
XVFB_ENV = GLIMMERDECK_SOURCE_DIR=$(CURDIR) GLIMMERDECK_BUILD_DIR=$(abspath $(BUILD))
stress: build
	@GLIMMERDECK_STORM_EVENTS=1000000 $(BUILD)/tests/test_storm
	@GLIMMERDECK_STORM_CLICKS=5000 $(XVFB_ENV) bash tests/xvfb/test_storm.sh $(BUILD)/glimmerdeck

# The whole suite again, built with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer in a tree of its own; any finding fails its test.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp
sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERDECK_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# Half an hour with the "Text Animation" panel open, watching resident memory.
SOAK_SECONDS ?= 1800
soak: build
	@GLIMMERDECK_SOAK_SECONDS=$(SOAK_SECONDS) $(XVFB_ENV) bash tests/xvfb/test_soak.sh $(BUILD)/glimmerdeck

# Whole-program figures against a bare Qt window, on offscreen and Xvfb: about 12 minutes.
# BENCH_ARGS passes options on, e.g. BENCH_ARGS="--runs 5 --markdown bench.md".
bench: build
	@python3 bench/run_bench.py --build $(BUILD) $(BENCH_ARGS)

# DESTDIR, when given, is honoured by cmake --install for staged installs.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@cd $(BUILD) && cpack -G DEB

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD)
