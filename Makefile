# The two everyday commands:  make run  and  make test.
.PHONY: setup run build-release test build-debug test-sanitize bench fuzz build-fuzz clean

setup:
	@./scripts/setup.sh

build-release: setup
	@cmake --preset release >/dev/null
	@cmake --build --preset release

run: build-release
	@./scripts/run.sh build/release/src/velmora

build-debug: setup
	@cmake --preset debug >/dev/null
	@cmake --build --preset debug

test: build-debug
	@ctest --preset debug

test-sanitize: setup
	@cmake --preset asan-ubsan >/dev/null
	@cmake --build --preset asan-ubsan
	@ctest --preset asan-ubsan

# libFuzzer targets (clang, ASan, UBSan), FUZZ_SECONDS each; see README "Fuzzing".
build-fuzz:
	@./scripts/setup.sh fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

fuzz: build-fuzz
	@./scripts/fuzz.sh

bench: build-release
	@./scripts/bench.sh

clean:
	rm -rf build
