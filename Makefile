# Thin driver over the CMake builds: host tools (native), the shipped PE32 (mingw i686) and
# a 64-bit test build of the same sources (mingw x86_64).
#   make run    install prerequisites, build, launch the installer under Wine
#   make test   install prerequisites, build, run every test
#   make dist   build dist/PendrelSetup.exe only
#   make bench  extraction, start-up and image-size figures against their floors
#   make matrix the whole install matrix of Windows versions and locales
# The host decides the mode (scripts/host-mode.sh): where 32-bit Wine runs, the PE32 suite
# and the 64-bit suite both run; elsewhere the 64-bit suite runs and the PE32 suite reports
# its tests as skipped. PENDREL_WIN64_ONLY=1 forces the second mode.
BUILD ?= build
HOST := $(BUILD)/host
WIN := $(BUILD)/win
WIN64 := $(BUILD)/win64
MODE_FILE := $(BUILD)/mode
ZLIB_SRC := $(BUILD)/zlib-src
PRODUCT_DIR ?=
# Authenticode signing of dist/PendrelSetup.exe: a PEM certificate and key, a timestamp URL.
SIGN_CERT ?=
SIGN_KEY ?=
SIGN_TIMESTAMP ?=
JOBS ?= $(shell nproc)
# Set by `mode`: PENDREL_RUN32 (1 or 0) and PENDREL_SKIP32 (the reason).
RUN32 = $(shell sed -n 's/^PENDREL_RUN32=//p' $(MODE_FILE))
SKIP32 = $(shell sed -n 's/^PENDREL_SKIP32=//p' $(MODE_FILE))

.PHONY: deps mode host configure configure64 dist dist64 build build64 test matrix run bench repro clean

deps:
	@scripts/setup-deps.sh
	@scripts/zlib-source.sh $(ZLIB_SRC)

mode: deps
	@scripts/host-mode.sh $(MODE_FILE)

host: deps
	cmake -S tools -B $(HOST) -DCMAKE_BUILD_TYPE=Release -DDIST_EXE=$(abspath dist/PendrelSetup.exe) \
	    -DDIST_MAP=$(abspath $(WIN)/PendrelSetup.map)
	cmake --build $(HOST) -j$(JOBS)

configure: host mode
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DHOST_TOOLS_DIR=$(abspath $(HOST)) -DZLIB_SOURCE_DIR=$(abspath $(ZLIB_SRC)) \
	    -DPENDREL_PRODUCT_DIR="$(PRODUCT_DIR)" -DDIST_DIR=$(abspath dist) \
	    -DPENDREL_SKIP_REASON="$(SKIP32)" -DPENDREL_SIGN_CERT="$(abspath $(SIGN_CERT))" \
	    -DPENDREL_SIGN_KEY="$(abspath $(SIGN_KEY))" -DPENDREL_SIGN_TIMESTAMP="$(SIGN_TIMESTAMP)"

configure64: host
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DHOST_TOOLS_DIR=$(abspath $(HOST)) -DZLIB_SOURCE_DIR=$(abspath $(ZLIB_SRC)) \
	    -DPENDREL_PRODUCT_DIR="$(PRODUCT_DIR)" -DDIST_DIR=$(abspath $(WIN64)/dist)

dist: configure
	cmake --build $(WIN) -j$(JOBS) --target dist

dist64: configure64
	cmake --build $(WIN64) -j$(JOBS) --target dist

build: configure
	cmake --build $(WIN) -j$(JOBS)

build64: configure64
	cmake --build $(WIN64) -j$(JOBS)

# With both suites, the 64-bit one leaves out the tests labelled once_per_run (the fault
# scenarios and most matrix cells): they run once, on the shipped PE32. `make matrix` runs
# the whole matrix in every suite that can.
test: build build64
	ctest --test-dir $(HOST) --output-on-failure
	@[ "$(RUN32)" = 1 ] || echo "PE32 suite: every test skipped: $(SKIP32)"
	scripts/with-display.sh ctest --test-dir $(WIN) --output-on-failure
	scripts/with-display.sh ctest --test-dir $(WIN64) --output-on-failure \
	    $(if $(filter 1,$(RUN32)),-LE once_per_run)
	scripts/check-reproducible.sh $(BUILD)/repro

matrix: build build64
	@if [ "$(RUN32)" = 1 ]; then scripts/with-display.sh ctest --test-dir $(WIN) -L matrix --output-on-failure; \
	else echo "PE32 matrix skipped: $(SKIP32)"; fi
	scripts/with-display.sh ctest --test-dir $(WIN64) -L matrix --output-on-failure

# The shipped PE32 where 32-bit Wine runs, else the 64-bit build of the same sources.
run: dist dist64
	@if [ "$(RUN32)" = 1 ]; then \
	    scripts/with-display.sh scripts/wine-run.sh dist/PendrelSetup.exe; \
	else \
	    echo "run: the 64-bit build, since $(SKIP32)"; \
	    PENDREL_WINEARCH=win64 scripts/with-display.sh scripts/wine-run.sh $(WIN64)/dist/PendrelSetup.exe; \
	fi

# Three figures, each against its floor in one run: extraction (engine / bare required
# calls, written to a RAM disk where there is one, so the disk's write-back stays out),
# start-up (wizard / minimal dialog, and against its own window shown alone), and the
# shipped PE32's size over its payload.
BENCH_FOLDER = $(if $(wildcard /dev/shm),Z:\\dev\\shm)
bench: build build64
	@if [ "$(RUN32)" = 1 ]; then \
	    echo "bench: the PE32 under 32-bit Wine"; dir=$(WIN); arch=win32; \
	else \
	    echo "bench: the 64-bit build under wine64, since $(SKIP32)"; dir=$(WIN64); arch=win64; \
	fi; \
	cd $$dir && export PENDREL_WINEARCH=$$arch && \
	../../scripts/wine-run.sh bench/extract_bench.exe $(BENCH_FOLDER) && \
	../../scripts/with-display.sh ../../scripts/wine-run.sh bench/startup_bench.exe PendrelSetup.exe bench/min_dialog.exe \
	    bench/wizard_window.exe
	@PENDREL_EXE=$(abspath dist/PendrelSetup.exe) $(HOST)/image_tests --gtest_filter='*AddsAtMost100KiB*' | \
	    grep '^image_overhead='
	@echo "image: dist/PendrelSetup.exe (the shipped PE32)"

repro: host
	scripts/check-reproducible.sh $(BUILD)/repro

clean:
	rm -rf $(BUILD) dist
