#!/bin/sh
# Runs every benchmark of the release build and prints their medians.
set -eu
cd "$(dirname "$0")/../build/release/bench"
for b in *_bench; do
  [ -x "$b" ] || continue
  echo "== $b"
  QT_QPA_PLATFORM=offscreen "./$b" --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median|^-|Benchmark' || true
done
