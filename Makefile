# The commands of the README: `make run`, `make test`, `make web` and `make web-run`.
BUILD ?= build
WEB_BUILD ?= build-web
WEB_PORT ?= 8000
JOBS ?= $(shell nproc)
# Emscripten's optimiser finds Debian's acorn only through NODE_PATH.
EMSDK_ENV = NODE_PATH=/usr/share/nodejs

.PHONY: deps configure build test test-web run bench clean web web-run

deps:
	@scripts/install-deps.sh

# The native tests compare the native core with the WebAssembly one of the
# site's build tree, named here (a build configured without it leaves that out).
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROLLWERK_WERROR=ON \
		-DROLLWERK_WEB_BUILD_DIR=$(abspath $(WEB_BUILD))

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# The site is built first: its build tree holds the WebAssembly trace program
# that the native tests compare with the native core; the browser tests follow.
test: web build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	@scripts/test-web.sh

test-web: web
	@scripts/test-web.sh

run: configure
	cmake --build $(BUILD) -j$(JOBS) --target rollwerk
	@scripts/run.sh $(BUILD)/src/app/rollwerk

bench: build
	$(BUILD)/bench/rollwerk_core_bench

# The static site: the core compiled to WebAssembly and the page, in $(WEB_BUILD)/site/.
web: web/node_modules/.package-lock.json
	@scripts/install-deps.sh web
	$(EMSDK_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=MinSizeRel -DROLLWERK_WERROR=ON \
		-DROLLWERK_BUILD_UI=OFF -DROLLWERK_BUILD_BENCH=OFF -DBUILD_TESTING=OFF
	$(EMSDK_ENV) cmake --build $(WEB_BUILD) -j$(JOBS) --target rollwerk_site rollwerk_planner_trace_wasm

# The page's build tools (esbuild), from the lock file.
web/node_modules/.package-lock.json: web/package-lock.json web/package.json
	@scripts/install-deps.sh web
	cd web && npm ci --no-audit --no-fund --loglevel=error

web-run: web
	@echo "Rollwerk im Browser: http://127.0.0.1:$(WEB_PORT)/"
	scripts/serve-web.py $(WEB_BUILD)/site $(WEB_PORT)

clean:
	rm -rf $(BUILD) build-asan $(WEB_BUILD)
