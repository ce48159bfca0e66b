#!/bin/sh
# Runs every libFuzzer target of build/fuzz for FUZZ_SECONDS each (default 60), one at a
# time and at low priority, seeded with tests/fuzz/corpus/<parser>.
#
#   FUZZ_SECONDS=600 scripts/fuzz.sh            every target
#   scripts/fuzz.sh rtf_parse_fuzz icon_*       only these (names or shell patterns)
#   FUZZ_RUNS=10000000 scripts/fuzz.sh "*_parse_fuzz"   stop after that many inputs instead
#
# New inputs collect in build/fuzz/work/<parser>; crashes, timeouts and out-of-memory
# inputs in build/fuzz/artifacts/. Once a finding is fixed, copy it into
# tests/fuzz/findings/<parser>/ so that the replay test keeps it fixed.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$root/build/fuzz/fuzzers"
seconds="${FUZZ_SECONDS:-60}"
runs="${FUZZ_RUNS:-}"
limit="-max_total_time=$seconds" length="$seconds s"
[ -n "$runs" ] && limit="-runs=$runs" length="$runs runs"
max_len="${FUZZ_MAX_LEN:-1048576}"
# An input may take a second at most. On a machine busy with other work the limit can be
# raised (FUZZ_TIMEOUT=3) and the inputs it stops replayed alone afterwards.
timeout="${FUZZ_TIMEOUT:-1}"
[ -d "$bin" ] || { echo "no fuzz build: run make fuzz" >&2; exit 2; }

export QT_QPA_PLATFORM=offscreen
# Freed memory goes back to the system every second, so that the whole-process memory cap
# measures what inputs use and not what the sanitizer's allocator keeps.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:allocator_may_return_null=1:quarantine_size_mb=32:malloc_context_size=8:allocator_release_to_os_interval_ms=1000}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

if [ $# -eq 0 ]; then set -- '*_fuzz'; fi
failed=""
for pattern in "$@"; do
  for target in "$bin"/$pattern; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    parser="$(echo "$name" | sed -E 's/_(parse|render)?_?fuzz$//')"
    work="$root/build/fuzz/work/$parser"
    artifacts="$root/build/fuzz/artifacts/$name"
    mkdir -p "$work" "$artifacts"
    # A target that defines LLVMFuzzerInitialize starts Qt before its first input (every
    # drawing target but iCalendar's, and the document and RTF readers, which need fonts).
    # It carries Qt, its fonts and the sanitizer's shadow of them: about 130 to 200 MiB
    # before the first input, growing as the sanitizer's allocator keeps freed memory. Its
    # whole-process cap leaves the same 256 MiB for inputs as the other targets have; one
    # allocation is capped at 256 MiB in all.
    rss=256
    if nm "$target" 2>/dev/null | grep -q ' T LLVMFuzzerInitialize$'; then rss=512; fi
    dict=""
    [ -f "$root/tests/fuzz/$parser.dict" ] && dict="-dict=$root/tests/fuzz/$parser.dict"
    seeds="$root/tests/fuzz/corpus/$parser"
    [ -d "$seeds" ] || seeds=""
    echo "== $name: $length"
    # shellcheck disable=SC2086
    if ! nice -n "${FUZZ_NICE:-10}" "$target" $limit -max_len="$max_len" -timeout="$timeout" \
        -rss_limit_mb="$rss" -malloc_limit_mb=256 -print_final_stats=1 $dict \
        -artifact_prefix="$artifacts/" "$work" $seeds 2>"$root/build/fuzz/$name.log"; then
      failed="$failed $name"
    fi
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)|^==[0-9]+==ERROR|^SUMMARY|ALARM|out-of-memory|Test unit written' \
      "$root/build/fuzz/$name.log" || true
  done
done
if [ -n "$failed" ]; then
  echo "findings in:$failed (inputs under build/fuzz/artifacts/, logs under build/fuzz/)" >&2
  exit 1
fi
