# The two everyday commands:  make run  and  make test.
.PHONY: setup run build-release test build-debug test-sanitize bench fuzz build-fuzz package tools clean

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

# The Debian package, from the release build: build/release/velmora_<version>_<arch>.deb
package: build-release
	@cd build/release && cpack -G DEB
	@ls build/release/velmora_*.deb

# The generators of the shipped data (see tools/); their output is committed.
tools: setup
	@cmake -S . -B build/tools -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_TOOLS=ON >/dev/null
	@cmake --build build/tools

clean:
	rm -rf build
