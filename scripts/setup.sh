#!/bin/sh
# Installs the Debian packages Velmora needs to build, run and test.
#   scripts/setup.sh        build, run and test
#   scripts/setup.sh fuzz   additionally what "make fuzz" needs (clang and libFuzzer)
#   scripts/setup.sh bench  additionally the peers scripts/bench-peers.sh measures against
# Idempotent: when every package is present it does nothing.
set -eu

PACKAGES="
cmake
ninja-build
g++
qt6-base-dev
qt6-svg-dev
libpng-dev
qt6-image-formats-plugins
libgl-dev
fonts-liberation2
fonts-opensymbol
fonts-symbola
fonts-urw-base35
libgtest-dev
libgmock-dev
libbenchmark-dev
xvfb
xauth
poppler-utils
libical-dev
desktop-file-utils
appstream
dpkg-dev
"

# Only for "make fuzz": clang with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES="
clang
libclang-rt-dev
"
if [ "${1:-}" = "fuzz" ]; then PACKAGES="$PACKAGES $FUZZ_PACKAGES"; fi

# Only for scripts/bench-peers.sh: the programs our year export is timed against.
BENCH_PACKAGES="
remind
remind-tools
pcal
ghostscript
"
if [ "${1:-}" = "bench" ]; then PACKAGES="$PACKAGES $BENCH_PACKAGES"; fi

missing=""
for p in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
