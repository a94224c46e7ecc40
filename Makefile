# SPDX-License-Identifier: GPL-3.0-or-later
# Zentavo: one-command set-up, build and test on Debian.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs the tests of the code
#   make test-package  the same, then builds and checks the Debian packages
#   make test-sanitized  the same under AddressSanitizer and UBSan
#   make package  builds the Debian package (in build-package/, without the tests)
#   make bench  builds and runs the benchmark programs
PRESET ?= default
BUILD_DIR := build
SHELL := /bin/bash

.PHONY: all bootstrap configure build run test test-package test-sanitized fuzz bench package install clean format

all: build

bootstrap:
	@bash scripts/bootstrap.sh

configure: bootstrap
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

# The program opens its help file from the current directory.
run: build
	@cd resources && ../$(BUILD_DIR)/app/zentavo

test: build
	@ctest --preset $(PRESET)

# The package builds: the CPack package and the Debian source package built
# by dpkg-buildpackage (installed and purged as root), each built from the
# sources again.
test-package: build
	@ctest --preset package

# The test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-sanitize/, without the re-runs that test the layout in another
# environment (label environment); any report fails the run.
test-sanitized: bootstrap
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize
	@ctest --preset sanitize

# Each fuzz target for FUZZ_SECONDS (default 60) from its seed corpus in
# fuzz/corpus; what it finds stays in build-fuzz/corpus.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := number study codec network device
fuzz: bootstrap
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t && cp fuzz/corpus/$$t/* build-fuzz/corpus/$$t/ && \
	  echo "== $$t" && \
	  build-fuzz/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    build-fuzz/corpus/$$t 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|Done|crash-' ; \
	  test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

# A Debian package (build-package/zentavo_<version>_<arch>.deb), built from
# a tree of its own that holds only what the package installs: no tests, no
# benchmarks.
package: bootstrap
	@cmake --preset package >/dev/null
	@cmake --build --preset package
	@cd build-package && cpack -G DEB

# Installs into PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

bench: build
	@bash bench/run.sh $(BUILD_DIR)

format:
	@find engine network batch bench tests -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf build build-debug build-sanitize build-fuzz build-package
