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

run: build
	@$(BUILD)/glimmerdeck

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
