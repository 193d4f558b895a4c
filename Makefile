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

# DESTDIR, when given, is honoured by cmake --install for staged installs.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@cd $(BUILD) && cpack -G DEB

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD)
