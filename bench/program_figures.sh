#!/usr/bin/env bash
# program_figures.sh RONDELAY MINIMAL_WINDOW [SECONDS]: the real program's figures under Xvfb
# with openbox, each next to a minimal Qt window in the same run: time from launch to the
# first window shown (best and worst of RUNS, 5 unless told), resident memory after start and
# after SECONDS of running (60 unless told), and CPU time over SECONDS of running with the
# window visible and minimised, given per hour.
set -uo pipefail
program=$1
minimal=$2
seconds=${3:-60}
runs=${RUNS:-5}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then DISPLAY=:$n; break; fi
done
export DISPLAY XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

# shown PROGRAM TITLE: starts it and prints the milliseconds until its window is viewable;
# leaves its pid in $work/pid.
shown() {
  local start pid
  start=$(date +%s%N)
  "$1" >/dev/null 2>&1 &
  pid=$!
  echo "$pid" >"$work/pid"
  until xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1; do sleep 0.005; done
  echo $((($(date +%s%N) - start) / 1000000))
}
rss_mb() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
# CPU nanoseconds of all the process's threads: the scheduler's own count, where /proc/PID/stat
# counts in 10 ms steps, too coarse for a timer that wakes for microseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%d", n}'; }
# cpu_per_hour PID...: CPU seconds per hour of each, measured together over $seconds.
cpu_per_hour() {
  local before=() pid n=0
  for pid in "$@"; do before+=("$(cpu_ns "$pid")"); done
  sleep "$seconds"
  for pid in "$@"; do
    awk -v t=$(($(cpu_ns "$pid") - before[n])) -v s="$seconds" \
      'BEGIN {printf "%.2f ", t / 1e9 * 3600 / s}'
    n=$((n + 1))
  done
}

for name in minimal rondelay; do
  times=()
  for _ in $(seq "$runs"); do
    if [ $name = minimal ]; then times+=("$(shown "$minimal" Minimal)"); else times+=("$(shown "$program" Rondelay)"); fi
    kill "$(cat "$work/pid")"
    wait "$(cat "$work/pid")" 2>/dev/null
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n)
  echo "first window, $name: $(echo "$sorted" | head -1) to $(echo "$sorted" | tail -1) ms over $runs starts"
done

shown "$minimal" Minimal >/dev/null
minimal_pid=$(cat "$work/pid")
pids+=("$minimal_pid")
shown "$program" Rondelay >/dev/null
pid=$(cat "$work/pid")
pids+=("$pid")
sleep 1
echo "resident after start: minimal $(rss_mb "$minimal_pid") MB, rondelay $(rss_mb "$pid") MB"
window=$(xdotool search --onlyvisible --name '^Rondelay$' | head -1)
xdotool windowactivate --sync "$window" key Return  # Enter starts the timer
read -r visible idle < <(cpu_per_hour "$pid" "$minimal_pid")
echo "CPU per hour running, visible: rondelay $visible s (minimal window, idle: $idle s)"
xdotool windowminimize --sync "$window"
read -r minimised idle < <(cpu_per_hour "$pid" "$minimal_pid")
echo "CPU per hour running, minimised: rondelay $minimised s (minimal window, idle: $idle s)"
echo "resident after $((2 * seconds)) s running: rondelay $(rss_mb "$pid") MB"
