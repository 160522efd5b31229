# The front door: make (build), make run, make test. See the README for the rest.
.PHONY: all run test asan bench fuzz soak build install uninstall package regen-replays clean \
        deps-build deps-play deps-test

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

build: deps-build
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: deps-play build
	cd build/default/data && ../vorn7

test: deps-test build
	ctest --preset default

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

soak: build
	./build/default/vorn7_soak --frames $(SOAK_FRAMES)

install: build
	@sh scripts/install-game build/default $(PREFIX)

uninstall:
	@sh scripts/uninstall build/default/install_manifest.txt $(PREFIX)

# The package is built apart, without the tests, with the launcher in Debian's games folder.
package: deps-build
	@cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORN7_TESTS=OFF \
	    -DVORN7_LAUNCHER_DIR=games >/dev/null
	@cmake --build build/package
	cd build/package && cpack -G DEB

regen-replays: build
	VORN7_REGENERATE_REPLAYS=1 ctest --preset default -R Replay

clean:
	rm -rf build
