# The front door: make run, make test.
.PHONY: run test asan bench fuzz soak deps build install regen-replays clean

FUZZ_SECONDS ?= 60
SOAK_FRAMES ?= 100000
PREFIX ?= $(HOME)/.local

deps:
	@bash scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	cd build/default/data && ../vorn7

test: build
	ctest --preset default

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	ASAN_OPTIONS=detect_leaks=1 ctest --preset asan -LE realwindow

bench: build
	@bash scripts/run-benchmarks build/default

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@bash scripts/run-fuzzers $(FUZZ_SECONDS)

soak: build
	./build/default/vorn7_soak --frames $(SOAK_FRAMES)

install: build
	cmake --install build/default --prefix $(PREFIX)

regen-replays: build
	VORN7_REGENERATE_REPLAYS=1 ctest --preset default -R Replay

clean:
	rm -rf build
