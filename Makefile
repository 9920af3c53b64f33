# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLLWERK_WERROR=ON

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

run: configure
	cmake --build $(BUILD) -j$(JOBS) --target rollwerk
	@scripts/run.sh $(BUILD)/src/app/rollwerk

bench: build
	$(BUILD)/bench/rollwerk_core_bench

clean:
	rm -rf $(BUILD) build-asan
