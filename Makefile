# make run   installs what is missing, builds, starts qorm on the built-in simulated crate
# make test  installs what is missing, builds, runs every test
# make test-sanitize   the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# make bench           builds and runs the benchmarks
# make package         builds the Debian package (build/qorm_VERSION_ARCH.deb)
# make check-install   installs into a staging prefix and builds host programs against it only
# make check-package   builds the package and checks it without installing it
# make fuzz            builds the libFuzzer harnesses (clang) and runs each for FUZZ_SECONDS
JOBS ?= 2
BUILD ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-sanitize bench fuzz package check-install check-package clean

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

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
