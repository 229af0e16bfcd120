# Thin driver over the two CMake builds: host tools (native) and the installer (mingw).
#   make run    install prerequisites, build, launch the installer under Wine
#   make test   install prerequisites, build, run every test
#   make dist   build dist/PendrelSetup.exe only
#   make bench  extraction benchmark under Wine
BUILD ?= build
HOST := $(BUILD)/host
WIN := $(BUILD)/win
PRODUCT_DIR ?=
JOBS ?= $(shell nproc)

.PHONY: deps host configure dist build test run bench repro clean

deps:
	@scripts/setup-deps.sh

host: deps
	cmake -S tools -B $(HOST) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(HOST) -j$(JOBS)

configure: host
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DHOST_TOOLS_DIR=$(abspath $(HOST)) \
	    -DPENDREL_PRODUCT_DIR="$(PRODUCT_DIR)" -DDIST_DIR=$(abspath dist)

dist: configure
	cmake --build $(WIN) -j$(JOBS) --target dist

build: configure
	cmake --build $(WIN) -j$(JOBS)

test: build
	ctest --test-dir $(HOST) --output-on-failure
	scripts/with-display.sh ctest --test-dir $(WIN) --output-on-failure
	scripts/check-reproducible.sh $(BUILD)/repro

run: dist
	scripts/with-display.sh scripts/wine-run.sh dist/PendrelSetup.exe

bench: build
	cd $(WIN) && ../../scripts/with-display.sh ../../scripts/wine-run.sh bench/extract_bench.exe

repro: host
	scripts/check-reproducible.sh $(BUILD)/repro

clean:
	rm -rf $(BUILD) dist
