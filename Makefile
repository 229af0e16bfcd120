# Thin driver over the CMake builds: host tools (native), the shipped PE32 (mingw i686) and
# a 64-bit test build of the same sources (mingw x86_64).
#   make run    install prerequisites, build, launch the installer under Wine
#   make test   install prerequisites, build, run every test
#   make dist   build dist/PendrelSetup.exe only
#   make bench  extraction, start-up and image-size figures against their floors
#   make matrix the whole install matrix of Windows versions and locales
# The PE32 runs only in the project's own 32-bit Debian root; the host decides how it gets
# there (scripts/host-mode.sh): by chroot where the kernel runs i386 programs (mode chroot,
# the whole PE32 suite), booted under qemu-system-i386 where it cannot (mode guest, the
# subset labelled guest), or not at all (mode 64, every PE32 test skipped with the reason).
# The 64-bit suite runs on the host under wine64 in every mode. PENDREL_WIN64_ONLY=1 forces
# mode 64; PENDREL_FORCE_GUEST=1 forces mode guest.
# Every path handed on is absolute: Wine refuses a relative prefix, and inside the root
# only the shared folders exist.
BUILD ?= build
B := $(abspath $(BUILD))
HOST := $(B)/host
WIN := $(B)/win
WIN64 := $(B)/win64
MODE_FILE := $(B)/mode
ZLIB_SRC := $(B)/zlib-src
PRODUCT_DIR ?=
# Authenticode signing of dist/PendrelSetup.exe: a PEM certificate and key, a timestamp URL.
SIGN_CERT ?=
SIGN_KEY ?=
SIGN_TIMESTAMP ?=
JOBS ?= $(shell nproc)
# Set by `mode`: PENDREL_MODE (chroot, guest or 64), PENDREL_SKIP32 (why no PE32 test runs)
# and PENDREL_GUEST_SKIP (why a PE32 test outside the emulated subset does not).
MODE = $(shell sed -n 's/^PENDREL_MODE=//p' $(MODE_FILE))
SKIP32 = $(shell sed -n 's/^PENDREL_SKIP32=//p' $(MODE_FILE))
GUEST_SKIP = $(shell sed -n 's/^PENDREL_GUEST_SKIP=//p' $(MODE_FILE))
ROOT_KIND = $(if $(filter chroot,$(MODE)),chroot,$(if $(filter guest,$(MODE)),qemu))
# Runs a command in the chroot, where the PE32 runs at native speed.
IN_ROOT = $(abspath scripts/i386-root/run.sh) chroot --share $(B)

.PHONY: deps mode root host configure configure64 dist dist64 build build64 test matrix run bench repro clean

deps:
	@scripts/setup-deps.sh
	@scripts/zlib-source.sh $(ZLIB_SRC)

mode: deps
	@scripts/host-mode.sh $(MODE_FILE)

# The 32-bit Debian root, in modes chroot and guest: made once per machine, in
# /var/cache/pendrel-i386. (scripts/i386-root/run.sh makes it too when it is missing; `make
# run` and `make bench` need it only in mode chroot.)
root: mode
	@[ -z "$(ROOT_KIND)" ] || scripts/i386-root/make-root.sh $(ROOT_KIND)

host: deps
	cmake -S tools -B $(HOST) -DCMAKE_BUILD_TYPE=Release -DDIST_EXE=$(abspath dist/PendrelSetup.exe) \
	    -DDIST_MAP=$(abspath $(WIN)/PendrelSetup.map)
	cmake --build $(HOST) -j$(JOBS)

configure: host mode
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DHOST_TOOLS_DIR=$(abspath $(HOST)) -DZLIB_SOURCE_DIR=$(abspath $(ZLIB_SRC)) \
	    -DPENDREL_PRODUCT_DIR="$(PRODUCT_DIR)" -DDIST_DIR=$(abspath dist) \
	    -DPENDREL_SKIP_REASON="$(SKIP32)" -DPENDREL_GUEST_SKIP_REASON="$(GUEST_SKIP)" \
	    -DPENDREL_SIGN_CERT="$(abspath $(SIGN_CERT))" \
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

# Once the PE32 is built, its suite runs while the 64-bit build is made and tested and the
# reproducibility check builds twice (scripts/suites.sh). `make matrix` runs the whole matrix
# in every suite that can. The last line says how much of the PE32 suite ran, and why not
# the rest.
test: build configure64 root
	ctest --test-dir $(HOST) --output-on-failure --no-tests=error
	scripts/suites.sh $(B) $(JOBS)
	@scripts/pe32-suite.sh --summary $(MODE_FILE) $(WIN)

matrix: build build64 root
	scripts/pe32-suite.sh $(MODE_FILE) $(WIN) -L matrix --output-on-failure
	scripts/with-display.sh ctest --test-dir $(WIN64) -L matrix --output-on-failure

# The shipped PE32 where it runs in full (in the chroot), else the 64-bit build of the same
# sources: the emulated guest is too slow to use by hand.
run: dist dist64
	@if [ "$(MODE)" = chroot ]; then \
	    $(IN_ROOT) $(abspath scripts/wine-run.sh) $(abspath dist/PendrelSetup.exe); \
	elif [ "$(MODE)" = guest ]; then \
	    echo "run: the 64-bit build, since the PE32 runs here only in an emulated guest, too slow to use by hand"; \
	    PENDREL_WINEARCH=win64 scripts/with-display.sh scripts/wine-run.sh $(WIN64)/dist/PendrelSetup.exe; \
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
	@if [ "$(MODE)" = chroot ]; then \
	    echo "bench: the PE32 under 32-bit Wine, in the 32-bit root"; dir=$(WIN); arch=win32; in_root="$(IN_ROOT)"; \
	else \
	    echo "bench: the 64-bit build under wine64, since $(or $(SKIP32),the PE32 runs here only emulated)"; \
	    dir=$(WIN64); arch=win64; in_root=; \
	fi; \
	cd $$dir && export PENDREL_WINEARCH=$$arch && \
	$$in_root $(abspath scripts/wine-run.sh) bench/extract_bench.exe $(BENCH_FOLDER) && \
	$$in_root $(abspath scripts/with-display.sh) $(abspath scripts/wine-run.sh) bench/startup_bench.exe PendrelSetup.exe \
	    bench/min_dialog.exe bench/wizard_window.exe
	@PENDREL_EXE=$(abspath dist/PendrelSetup.exe) $(HOST)/image_tests \
	    --gtest_filter='*AddsAtMost100KiB*:*NineTenthsOfZlibLevel9*' | grep '^image_overhead=\|^image_size_ratio='
	@echo "image: dist/PendrelSetup.exe (the shipped PE32)"

repro: host
	scripts/check-reproducible.sh $(B)/repro

clean:
	rm -rf $(B) dist
