# The two commands of the README: `make run` and `make test`; `make package`
# builds the Debian package.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
RUN_HOME   ?= $(CURDIR)/run
EXAMPLE    := $(RUN_HOME)/data/例子账本.mdb

.PHONY: all deps configure build run test test-asan bench package check-package clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# `make run` keeps everything under run/: the ledgers and the blank template in
# run/data/, the settings in run/Vintor.conf (VINTOR_HOME moves both).
$(EXAMPLE): | build
	@mkdir -p $(RUN_HOME)/data
	@VINTOR_HOME=$(RUN_HOME) $(BUILD)/vintorctl example "$(EXAMPLE)"

run: build $(EXAMPLE)
	VINTOR_HOME=$(RUN_HOME) $(BUILD)/vintor

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVINTOR_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vintor_bench
	@$(BUILD)/bench/vintor_bench $(BENCH_ARGS)

# Only the programs and the files they install are built for the package.
package: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vintor vintorctl vintor_package_files
	@cd $(BUILD) && cpack -G DEB

# Installs the package on this machine, starts it, and removes it again.
check-package: package
	@scripts/check-package "$$(ls -t $(BUILD)/vintor_*.deb | head -n 1)"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
