# The two entry points of the README, and the builds behind them.
# Every target does its own set-up, so each works on a fresh Debian 12 machine.

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20
export QT_QPA_PLATFORM ?= offscreen
# Runs a command as one stage of `make test`: prints its time, and keeps it for the summary.
STAGE := scripts/stage
SUBMAKE := $(MAKE) --no-print-directory
RELEASE_CONFIG := cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

.PHONY: all bootstrap build check demo test test-asan build-asan fuzz build-fuzz release \
	stress-test bench package clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@$(RELEASE_CONFIG)
	@cmake --build build -j $(JOBS)

# The quick loop while developing: the one build, its unit and widget tests (no end-to-end
# runs, no fuzzing).
check: build
	@ctest --test-dir build --output-on-failure -j $(JOBS) --timeout 600 -LE 'e2e|fuzz'

# The main job: download the bundled example firmware into the bundled virtual chip. Only the
# packages and the programs it runs are set up (in the tree of `make build`, which a later
# `make check` or `make test` goes on from).
demo:
	@scripts/bootstrap demo
	@$(RELEASE_CONFIG)
	@cmake --build build -j $(JOBS) --target demo_programs
	@scripts/demo

# The whole suite: sanitizer build with every unit, widget and end-to-end test, then the fuzzers,
# then the optimised build (whose warnings differ; it compiles everything but the tests, which
# ran above) running the main job end to end. Each stage prints its time; the summary at the
# end lists them all, also when a stage failed.
test:
	@export KORVAN_STAGE_LOG=$$(mktemp); status=0; \
	{ $(STAGE) set-up scripts/bootstrap && \
	  $(SUBMAKE) test-asan && $(SUBMAKE) fuzz && $(SUBMAKE) release; } || status=$$?; \
	$(STAGE) --summary "$$KORVAN_STAGE_LOG"; rm -f "$$KORVAN_STAGE_LOG"; exit $$status

# Every test runs once: a test that fails is a failure, also on a busy machine
# (scripts/stress-test runs the suite starved).
test-asan: bootstrap
	@$(STAGE) "sanitizer build" $(SUBMAKE) build-asan
	@$(STAGE) tests ctest --test-dir build-asan --output-on-failure -j $(JOBS) --timeout 600

build-asan:
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVAN_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)

# Fuzz targets are built with clang's libFuzzer and each runs for a bounded time.
fuzz: bootstrap
	@$(STAGE) "fuzz build" $(SUBMAKE) build-fuzz
	@$(STAGE) "fuzz runs" env FUZZ_SECONDS=$(FUZZ_SECONDS) \
		ctest --test-dir build-fuzz --output-on-failure -j $(JOBS)

build-fuzz:
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DKORVAN_FUZZ=ON -DKORVAN_PARTS="isp;components;ui;app;sim;fuzz" >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzzers

# The optimised build of everything but the tests, and the main job on it.
release: bootstrap
	@$(STAGE) "optimised build" sh -c '$(RELEASE_CONFIG) && cmake --build build -j $(JOBS) --target no_tests'
	@$(STAGE) demo scripts/demo

# The sanitizer suite at low priority beside CPU hogs: N=3 runs with `make stress-test N=3`,
# a narrower one with scripts/stress-test N -R REGEX.
N ?= 1
stress-test: bootstrap
	@scripts/stress-test $(N)

bench: build
	@scripts/bench

# A Debian package of the optimised build: install it with apt-get install ./build/korvan_*.deb
package: build
	@cmake --build build --target package

clean:
	rm -rf build build-asan build-fuzz
