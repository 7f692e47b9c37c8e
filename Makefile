# Entry points for newcomers and CI. Every target installs what it needs first.
#   make run        the terminal with the component loaded on a simulated market
#   make test       build and run every test
#   make test-asan  the tests again under AddressSanitizer + UndefinedBehaviorSanitizer
#   make bench      build and run every benchmark (JSON results in build/bench-results/)

JOBS      ?= $(shell nproc)
BUILD     ?= build
ASAN      ?= build-asan
CMAKE_ARGS ?=
# Evaluated when used, that is after setup has installed what it installs.
GENERATOR = $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
LAUNCHER = $(shell command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
# configure: a new build folder gets the generator and the build type; an existing one keeps them
# and still takes whatever CMAKE_ARGS says.
define configure_in
	@if [ ! -f $(1)/CMakeCache.txt ]; then \
	  cmake -S . -B $(1) $(GENERATOR) $(LAUNCHER) $(2) $(CMAKE_ARGS); \
	elif [ -n "$(CMAKE_ARGS)" ]; then \
	  cmake -S . -B $(1) $(CMAKE_ARGS); \
	fi
	@find $(1) -path '*_autogen/timestamp' -delete
endef

.PHONY: all setup configure build run test test-asan bench format clean

all: build

setup:
	@./scripts/setup.sh

# Moc's timestamps are dropped after configuring (here and for test-asan): in an existing build folder a header that
# gained Q_OBJECT after the last configure is otherwise missed (undefined vtables at link time).
configure: setup
	$(call configure_in,$(BUILD),-DCMAKE_BUILD_TYPE=RelWithDebInfo)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the run layout: the terminal, the component, its libraries, skins and configuration.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target krt_run_layout
	@./scripts/run-terminal.sh $(BUILD)/dist/bin

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: setup
	$(call configure_in,$(ASAN),-DCMAKE_BUILD_TYPE=Debug -DKRT_SANITIZE=ON -DKRT_BUILD_BENCH=OFF)
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

bench: build
	@./scripts/run-benchmarks.sh $(BUILD)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN)
