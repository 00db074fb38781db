# The two entry points of the README, and the builds behind them.
# Every target does its own set-up, so each works on a fresh Debian 12 machine.

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20
export QT_QPA_PLATFORM ?= offscreen

.PHONY: all bootstrap build check demo test test-asan fuzz bench package clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j $(JOBS)

# The quick loop while developing: the one build, its unit and widget tests (no end-to-end
# runs, no fuzzing).
check: build
	@ctest --test-dir build --output-on-failure -j $(JOBS) --timeout 600 -LE 'e2e|fuzz'

# The main job: download the bundled example firmware into the bundled virtual chip.
demo: build
	@scripts/demo

# The whole suite: sanitizer build with every unit, widget and end-to-end test, then the fuzzers,
# then the optimised build (whose warnings differ) running the main job end to end.
test: test-asan fuzz demo

test-asan: bootstrap
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVAN_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@ctest --test-dir build-asan --output-on-failure -j $(JOBS) --timeout 600

# Fuzz targets are built with clang's libFuzzer and each runs for a bounded time.
fuzz: bootstrap
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DKORVAN_FUZZ=ON -DKORVAN_PARTS="isp;components;ui;app;sim;fuzz" >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --test-dir build-fuzz --output-on-failure -j $(JOBS)

bench: build
	@scripts/bench

# A Debian package of the optimised build: install it with apt-get install ./build/korvan_*.deb
package: build
	@cmake --build build --target package

clean:
	rm -rf build build-asan build-fuzz
