# The two commands of the quick start, and a few more for developers.
BUILD ?= build
JOBS ?= $(shell nproc)
CTEST_ARGS ?=
PREFIX ?= /usr/local

.PHONY: setup build run test check check-builds bench stress sanitize soak install package format
.PHONY: clean windows windows-package test-windows bench-windows

setup:
	@bash scripts/setup.sh

# Our own configuration, the "dev" preset of CMakePresets.json: RelWithDebInfo, warnings as errors.
build: setup
	@cmake --preset dev -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Without a display the program says so in one sentence and exits with status 2; that is not a
# build failure, so make stays quiet about it.
run: build
	@status=0; $(BUILD)/glimmerdeck || status=$$?; [ $$status -eq 2 ] || exit $$status

# setup has installed every tool the tests use, so here a test that finds one missing and would
# report itself skipped fails instead (GLIMMERDECK_NO_SKIP). The long runs (label "long": the
# memory soak and the whole suite again under the sanitizers) wait for make check.
test: build
	@cd $(BUILD) && GLIMMERDECK_NO_SKIP=1 ctest --output-on-failure -j $(JOBS) -LE long $(CTEST_ARGS)

# The full gate, which CI runs: make test, then the long runs (the soak and the sanitizer pass),
# the storms at full length, the Release builds with the Debian package, and the Windows build's
# tests under Wine.
check: test
	@cd $(BUILD) && GLIMMERDECK_NO_SKIP=1 ctest --output-on-failure -j $(JOBS) -L long $(CTEST_ARGS)
	@$(MAKE) --no-print-directory stress
	@$(MAKE) --no-print-directory check-builds
	@$(MAKE) --no-print-directory test-windows

# Everything built again with GCC and with Clang at Release (-O3, where GCC 12 warns about things
# -O2 does not see), warnings as errors, each in a tree of its own (presets release-gcc and
# release-clang); then the Debian package, which lintian must pass. CI runs this after make test.
check-builds: setup
	@for preset in release-gcc release-clang; do \
		echo "check-builds: $$preset"; \
		cmake --preset $$preset >/dev/null && cmake --build --preset $$preset -j $(JOBS) || exit 1; \
	done
	@$(MAKE) --no-print-directory package

# The random-event storms at full length: a million events on the model, 5,000 clicks and moves
# on the real window (about 3 minutes). GLIMMERDECK_STORM_SEED replays a run.
XVFB_ENV = GLIMMERDECK_SOURCE_DIR=$(CURDIR) GLIMMERDECK_BUILD_DIR=$(abspath $(BUILD))
stress: build
	@GLIMMERDECK_STORM_EVENTS=1000000 $(BUILD)/tests/test_storm
	@GLIMMERDECK_STORM_CLICKS=5000 $(XVFB_ENV) bash tests/xvfb/test_storm.sh $(BUILD)/glimmerdeck

# The whole suite again, built with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer in a tree of its own; any finding fails its test.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV = GLIMMERDECK_NO_SKIP=1 ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp
sanitize: setup
	@cmake --preset dev -B $(SANITIZE_BUILD) -DGLIMMERDECK_SANITIZE=ON >/dev/null
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

# The Debian package, built as Debian builds its own (hardening flags, no tests) in a tree of its
# own, then checked with lintian: see packaging/build-deb.sh.
PACKAGE_BUILD ?= build-package
package: setup
	@bash packaging/build-deb.sh $(PACKAGE_BUILD) $(JOBS)

# The Windows program, cross-compiled with mingw-w64 (the "windows" preset: Release, warnings as
# errors): build-windows/glimmerdeck.exe, one file that needs nothing beside it.
windows:
	@bash scripts/setup.sh --windows-build
	@cmake --preset windows >/dev/null
	@cmake --build build-windows -j $(JOBS)

# The Windows program as its users receive it (packaging/windows): build-windows/
# glimmerdeck-VERSION-setup.exe, which installs it for the current user, made with NSIS, and the
# portable glimmerdeck-VERSION-windows.zip.
windows-package:
	@bash scripts/setup.sh --windows-build
	@cmake --preset windows >/dev/null
	@cmake --build build-windows -j $(JOBS) --target windows-package

# The Windows build's tests, run under Wine, the setup's among them. Wine is some 650 MB, so only
# this target installs it (make check runs it); a test that finds Wine missing fails here
# instead of being skipped.
test-windows:
	@bash scripts/setup.sh --windows-test
	@cmake --preset windows >/dev/null
	@cmake --build build-windows -j $(JOBS)
	@cmake --build build-windows -j $(JOBS) --target windows-package
	@cd build-windows && GLIMMERDECK_NO_SKIP=1 ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# The Windows program's figures under Wine, against a bare Win32 window measured in the same run
# (bench/run_bench_windows.py): about 14 minutes once built. BENCH_WINDOWS_ARGS passes
# options on, e.g. BENCH_WINDOWS_ARGS="--runs 5 --markdown bench-windows.md".
bench-windows:
	@bash scripts/setup.sh --windows-test
	@cmake --preset windows >/dev/null
	@cmake --build build-windows -j $(JOBS)
	@python3 bench/run_bench_windows.py --build build-windows $(BENCH_WINDOWS_ARGS)

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD) $(PACKAGE_BUILD) build-release-gcc build-release-clang build-windows
