#!/usr/bin/env bash
# The first window under Wine on Xvfb with openbox: rondelay.exe against minimal_window.exe (an
# empty Qt window, beside the same DLLs), started in turn RUNS times (6 unless told), each from
# a Wine server of its own. Prints the milliseconds from the start to the visible window.
#   bench/wine_first_window.sh [BUILD-DIR] [RUNS]     BUILD-DIR as scripts/build-windows made it
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
runs=${2:-6}
work=$(mktemp -d)
pids=()
cleanup() {
  wineserver -k 2>/dev/null
  rm -f "$build/Rondelay/minimal_window.exe"
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=../tests/ui/main/displays.sh
. tests/ui/main/displays.sh
start_x
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i </dev/null >/dev/null 2>&1
cp "$build/minimal_window.exe" "$build/Rondelay/"
for _ in $(seq "$runs"); do
  for program in rondelay:'^Rondelay$' minimal_window:'^Minimal$'; do
    began=$(date +%s%N)
    wine "$build/Rondelay/${program%%:*}.exe" >/dev/null 2>&1 &
    started=$!
    find_window 30 "${program#*:}" >/dev/null || echo "${program%%:*}: no window" >&2
    echo "${program%%:*} $((($(date +%s%N) - began) / 1000000)) ms"
    wineserver -k 2>/dev/null
    wait "$started" 2>/dev/null
    sleep 1
  done
done
