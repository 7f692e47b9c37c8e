# Entry points for newcomers and CI. Every target installs what it needs first.
#   make run        the terminal with the component loaded on a simulated market
#   make test       build and run every test
#   make test-asan  the tests again under AddressSanitizer + UndefinedBehaviorSanitizer
#   make bench      build and run every benchmark (JSON results in build/bench-results/)

JOBS      ?= $(shell nproc)
BUILD     ?= build
ASAN      ?= build-asan
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
CMAKE_ARGS ?=

.PHONY: all setup configure build run test test-asan bench format clean

all: build

setup:
	@./scripts/setup.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

configure: setup $(BUILD)/CMakeCache.txt

# Moc's timestamps are dropped first (here and for test-asan): in an existing build folder a header that gained Q_OBJECT
# after the last configure is otherwise missed (undefined vtables at link time).
build: configure
	@find $(BUILD) -path '*_autogen/timestamp' -delete
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-terminal.sh $(BUILD)/dist/bin

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: setup
	cmake -S . -B $(ASAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DKRT_SANITIZE=ON -DKRT_BUILD_BENCH=OFF $(CMAKE_ARGS)
	@find $(ASAN) -path '*_autogen/timestamp' -delete
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

bench: build
	@./scripts/run-benchmarks.sh $(BUILD)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN)
