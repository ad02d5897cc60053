# make run   installs what is missing, builds, starts qorm on the built-in simulated crate
# make test  installs what is missing, builds, runs every test
# make test-sanitize   the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# make bench           builds and runs the benchmarks
# make package         builds the Debian package (build/qorm_VERSION_ARCH.deb)
# make check-install   installs into a staging prefix and builds host programs against it only
# make check-package   builds the package and checks it without installing it
# make fuzz            builds the libFuzzer harnesses (clang) and runs each for FUZZ_SECONDS
# make windows         cross-builds for 32-bit Windows (build-windows/)
# make test-windows    cross-builds and runs the suite under wine
# make test-windows-view   the native Win32 view's tests under wine on an Xvfb display
# make bench-windows   cross-builds and runs the benchmarks under wine
# make bench-windows-startup   the Win32 view's start under wine on Xvfb, RUNS times (BUSY=1: the
#                      other cores busy meanwhile)
# make package-windows        the Windows zip (build-windows/qorm-VERSION-win32.zip)
# make check-package-windows  makes the zip, unpacks it afresh and runs what it holds under wine
JOBS ?= 2
BUILD ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=
BUILD_WIN ?= build-windows
CMAKE_FLAGS_WIN ?=
# Each Windows build folder has its wine prefix of its own unless one is given.
WINEPREFIX ?= $(abspath $(BUILD_WIN))/wineprefix
export WINEPREFIX

.PHONY: all deps configure build run test test-sanitize bench fuzz package check-install \
  check-package windows test-windows test-windows-view bench-windows bench-windows-startup \
  package-windows check-package-windows clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G Ninja -DQORM_WERROR=ON $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/qorm --sim

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-sanitize: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DQORM_WERROR=ON -DQORM_SANITIZE=ON -DQORM_BENCH=OFF \
	  -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD_ASAN) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j$(JOBS)

bench: build
	scripts/run-bench $(BUILD)

package: build
	cmake --build $(BUILD) --target package

check-install: build
	JOBS=$(JOBS) scripts/check-install $(BUILD)

check-package: package
	scripts/check-package $(BUILD)

fuzz: deps
	JOBS=$(JOBS) scripts/run-fuzz $(BUILD_FUZZ) $(FUZZ_SECONDS)

# The toolchain and the cross-built libraries come from scripts/install-windows-deps, which prints
# the prefix they are in.
windows:
	@deps=$$(scripts/install-windows-deps) && \
	  cmake -S . -B $(BUILD_WIN) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DQORM_WINDOWS_DEPS="$$deps" -DQORM_WERROR=ON -DQORM_WITH_QT=OFF $(CMAKE_FLAGS_WIN) >/dev/null
	cmake --build $(BUILD_WIN) -j$(JOBS)

# The headless suite needs no display: wine gets none, so nothing can open a window by accident.
# The tests of the native view (label "display") run apart, on a display of their own.
test-windows: windows
	env -u DISPLAY scripts/with-wine \
	  ctest --test-dir $(BUILD_WIN) --output-on-failure -j$(JOBS) --timeout 300 -LE display

# The native Win32 view's tests: windows under wine on an Xvfb display with a window manager, one
# test at a time (they share the display's focus and foreground window).
test-windows-view: windows
	scripts/with-display scripts/with-wine \
	  ctest --test-dir $(BUILD_WIN) --output-on-failure --timeout 300 -L display

bench-windows: windows
	env -u DISPLAY scripts/with-wine scripts/run-bench $(BUILD_WIN)

RUNS ?= 10
bench-windows-startup: windows
	scripts/with-display scripts/with-wine \
	  scripts/bench-windows-startup $(BUILD_WIN) $(RUNS) $(if $(BUSY),--busy)

package-windows: windows
	cmake --build $(BUILD_WIN) --target package

check-package-windows: package-windows
	env -u DISPLAY scripts/with-wine scripts/check-package-windows $(BUILD_WIN)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_WIN)
