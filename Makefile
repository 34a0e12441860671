# Wraps CMake. `make demo` converts the bundled example; `make test` builds
# and runs every test: the normal suite, the same suite under the address
# and undefined-behaviour sanitizers, and a short run of every fuzz target.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS ?= 2
CMAKE_FLAGS ?=

# Fuzzing: `make fuzz FUZZ_SECONDS=600` runs every target for that long, one
# after the other; `make fuzz-pattern FUZZ_SECONDS=...` runs one. New inputs
# go to $(FUZZ_BUILD)/corpus/<target>, findings to $(FUZZ_BUILD)/findings/.
# The seeds in fuzz/corpus/<target> are only read.
FUZZ_TARGETS := csv pattern curve vehicle conversion
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 20
FUZZ_FLAGS ?=
FUZZ_DIR := $(abspath $(FUZZ_BUILD))
# A single input running longer than FUZZ_TIMEOUT seconds is a finding; the
# program's own error lines (standard error) are silenced, libFuzzer's and
# the sanitizers' reports are not.
FUZZ_TIMEOUT ?= 10
FUZZ_RUN_FLAGS = -timeout=$(FUZZ_TIMEOUT) -rss_limit_mb=2048 -close_fd_mask=2 \
  -print_final_stats=1 $(FUZZ_FLAGS)
fuzz_max_len_csv := 9000
fuzz_max_len_pattern := 4096
fuzz_max_len_curve := 4096
fuzz_max_len_vehicle := 4096
fuzz_max_len_conversion := 4096

.PHONY: all build demo check test sanitize clean fuzz-build fuzz fuzz-smoke \
  $(addprefix fuzz-,$(FUZZ_TARGETS))

all: build

build:
	@scripts/setup-packages
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	cd examples && ../$(BUILD)/ConvertD ../$(BUILD)/urban-result.txt
	@echo "--- $(BUILD)/urban-result.txt ($$(wc -l < $(BUILD)/urban-result.txt) lines): full load in third gear, then up to fifth ---"
	@sed -n '1p;264,276p' $(BUILD)/urban-result.txt

# The report of the bundled example, converted in a copy of examples/ under
# $(BUILD): $(BUILD)/example/urban-result.html, its statistics on the console.
EXAMPLE_COPY = $(BUILD)/example
.PHONY: report fleet report-screenshot
report: build
	rm -rf $(EXAMPLE_COPY) && cp -r examples $(EXAMPLE_COPY)
	cd $(EXAMPLE_COPY) && $(abspath $(BUILD))/ConvertD urban-result.txt >/dev/null
	cd $(EXAMPLE_COPY) && $(abspath $(BUILD))/ReportD urban-result.txt

# The engine variants of examples/fleet/ converted and compared: one CSV row
# each in $(BUILD)/fleet.csv, a report beside each result.
fleet: build
	rm -rf $(EXAMPLE_COPY) && cp -r examples $(EXAMPLE_COPY)
	for d in $(EXAMPLE_COPY)/fleet/*/; do \
	  (cd $$d && $(abspath $(BUILD))/ConvertD result.txt >/dev/null) || exit 1; done
	cd $(EXAMPLE_COPY) && $(abspath $(BUILD))/ReportD fleet/*/ > $(abspath $(BUILD))/fleet.csv
	@cat $(BUILD)/fleet.csv

# Screenshots of the reports in headless Chromium, saved under docs/.
report-screenshot:
	scripts/screenshot-report $(BUILD)

# Times ConvertD against the I/O floor on long truck patterns of 10^4, 10^5
# and 10^6 points (bench/RunBench.cpp): BENCH_RUNS timed runs at 10^6, more
# at the smaller sizes. `make microbench` times the attainable-speed search
# (bench/ModelBench.cpp, built when Google Benchmark is installed).
BENCH_RUNS ?= 5
.PHONY: bench microbench
bench: build
	$(BUILD)/bench/RunBench --convertd $(BUILD)/ConvertD --floor $(BUILD)/bench/IoFloor \
	  --examples examples --work $(BUILD)/bench-work --runs $(BENCH_RUNS)

microbench: build
	$(BUILD)/bench/ModelBench

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

# The fuzz targets: clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer.
fuzz-build:
	@scripts/setup-packages --clang
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCONVERTD_FUZZ=ON -DCONVERTD_TESTS=OFF >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

$(addprefix fuzz-,$(FUZZ_TARGETS)): fuzz-%: fuzz-build
	mkdir -p $(FUZZ_DIR)/corpus/$* $(FUZZ_DIR)/findings
	$(FUZZ_DIR)/fuzz_$* $(FUZZ_RUN_FLAGS) -max_len=$(fuzz_max_len_$*) \
	  -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_DIR)/findings/$*- \
	  $(FUZZ_DIR)/corpus/$* $(abspath fuzz/corpus/$*)

fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  $(MAKE) --no-print-directory fuzz-$$t FUZZ_SECONDS=$(FUZZ_SECONDS) || exit 1; done

# A short run of every target from its seeds alone, as CI runs it: fails on
# any crash, hang, leak or sanitizer report. The full log of each run is in
# $(FUZZ_BUILD)/logs/.
fuzz-smoke: fuzz-build
	@for t in $(FUZZ_TARGETS); do $(MAKE) --no-print-directory fuzz-smoke-$$t || exit 1; done

fuzz-smoke-%:
	@rm -rf $(FUZZ_DIR)/smoke/$* && mkdir -p $(FUZZ_DIR)/smoke/$* $(FUZZ_DIR)/findings $(FUZZ_DIR)/logs
	@echo "fuzz-smoke: $*, $(FUZZ_SMOKE_SECONDS) s from fuzz/corpus/$*"
	@if ! $(FUZZ_DIR)/fuzz_$* $(FUZZ_RUN_FLAGS) -max_len=$(fuzz_max_len_$*) \
	    -max_total_time=$(FUZZ_SMOKE_SECONDS) -artifact_prefix=$(FUZZ_DIR)/findings/$*- \
	    $(FUZZ_DIR)/smoke/$* $(abspath fuzz/corpus/$*) >$(FUZZ_DIR)/logs/$*-smoke.log 2>&1; then \
	  tail -n 80 $(FUZZ_DIR)/logs/$*-smoke.log; echo "fuzz-smoke: $* FAILED"; exit 1; fi
	@grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|peak_rss_mb)' \
	  $(FUZZ_DIR)/logs/$*-smoke.log

test: check sanitize fuzz-smoke

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
