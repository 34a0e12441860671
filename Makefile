# Wraps CMake. `make demo` converts the bundled example; `make test` builds
# and runs every test: the normal suite, the same suite under the address
# and undefined-behaviour sanitizers, and a short run of every fuzz target.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all build demo check test sanitize clean

all: build

build:
	@scripts/setup-packages
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	cd examples && ../$(BUILD)/ConvertD ../$(BUILD)/urban-result.txt
	@echo "--- $(BUILD)/urban-result.txt (first lines of $$(wc -l < $(BUILD)/urban-result.txt)) ---"
	@head -n 12 $(BUILD)/urban-result.txt

# Times ConvertD against the I/O floor on long truck patterns of 10^4, 10^5
# and 10^6 points (bench/RunBench.cpp): BENCH_RUNS timed runs at 10^6, more
# at the smaller sizes.
BENCH_RUNS ?= 5
.PHONY: bench
bench: build
	$(BUILD)/bench/RunBench --convertd $(BUILD)/ConvertD --floor $(BUILD)/bench/IoFloor \
	  --examples examples --work $(BUILD)/bench-work --runs $(BENCH_RUNS)

# The normal suite only.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The suite built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails it.
sanitize:
	@scripts/setup-packages --clang
	CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DCONVERTD_SANITIZE=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test: check sanitize

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
