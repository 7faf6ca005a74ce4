#!/usr/bin/env bash
# Runs each fuzzer for FUZZ_SECONDS (60 unless told) from its seeds, after replaying the inputs
# that once found a fault (tests/fuzz/found/NAME/), and prints its executions. Fails on any
# crash, leak or sanitizer report; a new failing input is left in ARTIFACT_DIR/fuzz/, for found/.
# Usage: run_fuzzers.sh FUZZ_BUILD_DIR [ARTIFACT_DIR]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1/tests/fuzz
artifacts=$(mkdir -p "${2:-artifacts}/fuzz" && cd "${2:-artifacts}/fuzz" && pwd)
seconds=${FUZZ_SECONDS:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$here/../lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for name in settings_store number_text wav_check; do
  seeds=("$here/seeds/$name")
  [ "$name" = wav_check ] && seeds+=("$here/../../src/ui/platform/sound/sounds")
  found=("$here/found/$name"/*)
  if [ -e "${found[0]}" ]; then
    if ! "$bin/fuzz_$name" -timeout=10 "${found[@]}" >"$work/$name.replay" 2>&1; then
      echo "FAIL $name: an input in tests/fuzz/found/$name fails again"
      tail -30 "$work/$name.replay"
      status=1
    fi
  fi
  mkdir -p "$work/corpus-$name"
  # One process, no forking: the settings fuzzer's store lives in one folder per process.
  "$bin/fuzz_$name" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
    "$work/corpus-$name" "${seeds[@]}" >"$work/$name.log" 2>&1
  result=$?
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$work/$name.log")
  rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$work/$name.log")
  if [ "$result" = 0 ]; then
    echo "ok   $name: ${runs:-?} executions in ${seconds} s, ${rate:-?} per second"
  else
    echo "FAIL $name after ${runs:-?} executions (input saved in $artifacts):"
    grep -E "ERROR|SUMMARY|runtime error|#[0-9]+ " "$work/$name.log" | head -30
    status=1
  fi
done
exit $status
