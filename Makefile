# The front door: make (build), make run, make test. See the README for the rest.
.PHONY: all run test asan bench fuzz soak build game install uninstall package regen-replays clean \
        deps-build deps-play deps-test deps-web web web-serve web-test

FUZZ_SECONDS ?= 60
SOAK_FRAMES ?= 100000
PREFIX ?= $(HOME)/.local

all: build

deps-build:
	@bash scripts/install-deps build
deps-play:
	@bash scripts/install-deps build play
deps-test:
	@bash scripts/install-deps build play test
deps-web:
	@bash scripts/install-deps build web

# Everything: the game, its tools, the tests and the benchmarks.
build: deps-test
	@cmake --preset default -DVORN7_TESTS=ON >/dev/null
	@cmake --build --preset default

# Only what make run and make install need: the game, its data, the level tool, the manuals.
# The same build folder as make build, so neither builds the other's work again.
game: deps-build
	@cmake --preset default -DVORN7_TESTS=OFF -DVORN7_BENCH=OFF >/dev/null
	@cmake --build --preset default --target vorn7 vorn7-level assets tiled_files compressed_docs

run: deps-play game
	cd build/default/data && ../vorn7

test: build
	ctest --preset default --no-tests=error

asan: deps-test
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	ASAN_OPTIONS=detect_leaks=1 ctest --preset asan -LE realwindow

bench: build
	@bash scripts/run-benchmarks build/default

fuzz: deps-test
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@bash scripts/run-fuzzers $(FUZZ_SECONDS)

soak: game
	@cmake --build --preset default --target vorn7_soak
	./build/default/vorn7_soak --frames $(SOAK_FRAMES)

install: game
	@sh scripts/install-game build/default $(PREFIX)

uninstall:
	@sh scripts/uninstall build/default/install_manifest.txt $(PREFIX)

# The package is built apart, without the tests, with the launcher in Debian's games folder and
# Debian's hardening flags (fortify, stack protector, relro, bindnow).
package: deps-build
	@eval "$$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)" && \
	    cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORN7_TESTS=OFF \
	    -DVORN7_LAUNCHER_DIR=games -DCMAKE_CXX_FLAGS="$$CXXFLAGS $$CPPFLAGS" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$LDFLAGS" >/dev/null
	@cmake --build build/package
	cd build/package && cpack -G DEB

# The game for the browser in build/web/site/. SDL2, libpng and zlib for the web are built once
# from Debian's sources and kept in ~/.cache/vorn7-web, named by their versions.
WEB_PORT ?= 8607
web: deps-web game
	@prefix="$$(bash scripts/build-web-deps)" && sed 's/^/web: built with /' "$$prefix/VERSIONS" && \
	    NODE_PATH=/usr/share/nodejs PKG_CONFIG_LIBDIR="$$prefix/lib/pkgconfig" \
	    emcmake cmake -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_FIND_ROOT_PATH="$$prefix" -DVORN7_TESTS=OFF \
	    -DVORN7_WEB_DATA_DIR="$(CURDIR)/build/default/data" >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build build/web
	@echo "web: the site is build/web/site/ (make web-serve serves it)"

web-serve:
	@test -f build/web/site/index.html || { echo "web-serve: no site yet: make web" >&2; exit 1; }
	@python3 scripts/serve-site build/web/site $(WEB_PORT)

# The site in Debian's Chromium, headless, driven by the pinned puppeteer-core of tests/web.
web-test: deps-test web
	@bash tests/web/run.sh

regen-replays: build
	VORN7_REGENERATE_REPLAYS=1 ctest --preset default -R Replay

clean:
	rm -rf build
