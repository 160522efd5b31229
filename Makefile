# The front door: make run, make test.
.PHONY: run test asan bench deps build fuzz soak clean regen-replays

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

regen-replays: build
	VORN7_REGENERATE_REPLAYS=1 ctest --preset default -R Replay

clean:
	rm -rf build
