# Zentavo: one-command set-up, build and test on Debian.
#   make run    installs what is missing, builds, starts the program
#   make test   installs what is missing, builds, runs every test
#   make package  builds the Debian package
#   make bench  builds and runs the benchmark programs
PRESET ?= default
BUILD_DIR := build

.PHONY: all bootstrap configure build run test bench package install clean format

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

# A Debian package (build/zentavo_<version>_<arch>.deb).
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# Installs into PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

bench: build
	@bash bench/run.sh $(BUILD_DIR)

format:
	@find engine batch bench tests -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf build build-debug
