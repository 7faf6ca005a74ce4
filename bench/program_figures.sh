#!/usr/bin/env bash
# program_figures.sh BUILD [SECONDS] [TICK_SECONDS]: the real program's figures under Xvfb with
# openbox, each next to a baseline in the same run, using BUILD/src/rondelay and the baselines
# BUILD/bench/minimal_window (one empty Qt window, and one showing a line of Japanese text) and BUILD/bench/plain_ticker (a plain QTimer
# counting seconds into a label, or into the title while minimised; with --idle, a timer that
# only wakes the program once a second):
# - time from launch to the first window shown (median, best and worst of RUNS, 5 unless told);
# - resident memory after start and after 2 * SECONDS of running (60 unless told);
# - CPU time over SECONDS of running with the window visible and minimised, given per hour;
# - tick accuracy over TICK_SECONDS (600 unless told; 0 skips it): each tick is seen as the
#   minimised window's title changing, so both programs are timed by the same observer.
set -uo pipefail
program=$1/src/rondelay
minimal=$1/bench/minimal_window
ticker=$1/bench/plain_ticker
seconds=${2:-60}
tick_seconds=${3:-600}
runs=${RUNS:-5}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# shellcheck source=../tests/ui/main/displays.sh
. "$(dirname "$0")/../tests/ui/main/displays.sh"
start_x

# shown TITLE PROGRAM [ARGUMENT...]: starts the program and prints the milliseconds until its
# window is viewable; leaves its pid in $work/pid.
shown() {
  local start pid title=$1
  shift
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  echo "$pid" >"$work/pid"
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.005; done
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

# The same Japanese text as the main window's status line and menus, in one label.
japanese="インターバル設定なし ファイル(F) 表示(V) ﾍﾙﾌﾟ(H)"
for name in minimal "minimal with Japanese text" rondelay; do
  times=()
  for _ in $(seq "$runs"); do
    case $name in
      minimal) times+=("$(shown Minimal "$minimal")") ;;
      rondelay) times+=("$(shown Rondelay "$program")") ;;
      *) times+=("$(shown "Minimal text" "$minimal" "$japanese")") ;;
    esac
    kill "$(cat "$work/pid")"
    wait "$(cat "$work/pid")" 2>/dev/null
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n)
  echo "first window, $name: median $(echo "$sorted" | sed -n "$(((runs + 1) / 2))p") ms," \
    "$(echo "$sorted" | head -1) to $(echo "$sorted" | tail -1) ms over $runs starts"
done

shown Minimal "$minimal" >/dev/null
minimal_pid=$(cat "$work/pid")
pids+=("$minimal_pid")
shown "Minimal text" "$minimal" "$japanese" >/dev/null
text_pid=$(cat "$work/pid")
pids+=("$text_pid")
shown "Plain ticker" "$ticker" >/dev/null
ticker_pid=$(cat "$work/pid")
pids+=("$ticker_pid")
shown "Idle ticker" "$ticker" --idle >/dev/null
idle_pid=$(cat "$work/pid")
pids+=("$idle_pid")
shown Rondelay "$program" >/dev/null
pid=$(cat "$work/pid")
pids+=("$pid")
sleep 1
echo "resident after start: rondelay $(rss_mb "$pid") MB, minimal window $(rss_mb "$minimal_pid") MB," \
  "with Japanese text $(rss_mb "$text_pid") MB"
window=$(xdotool search --onlyvisible --name '^Rondelay$' | head -1)
ticker_window=$(xdotool search --onlyvisible --name '^Plain ticker$' | head -1)
xdotool windowactivate --sync "$window" key Return  # Enter starts the timer
read -r visible baseline idle < <(cpu_per_hour "$pid" "$ticker_pid" "$idle_pid")
echo "CPU per hour running, visible: rondelay $visible s; plain QTimer and label $baseline s," \
  "a timer that draws nothing $idle s"
xdotool windowminimize --sync "$window"
xdotool windowminimize --sync "$ticker_window"
read -r minimised baseline idle < <(cpu_per_hour "$pid" "$ticker_pid" "$idle_pid")
echo "CPU per hour running, minimised: rondelay $minimised s; plain QTimer and title" \
  "$baseline s, a timer that draws nothing $idle s"
echo "resident after $((2 * seconds)) s running: rondelay $(rss_mb "$pid") MB"
[ "$tick_seconds" -gt 0 ] || exit 0

# spy WINDOW: a line per change of the window's title, the moment it was seen (µs since the
# epoch). xprop prints the title once when it starts; that line is not a tick.
spy() {
  stdbuf -oL xprop -spy -id "$1" _NET_WM_NAME 2>/dev/null | while IFS= read -r _; do echo "${EPOCHREALTIME/./}"; done
}
spy "$window" >"$work/rondelay.ticks" &
pids+=($!)
spy "$ticker_window" >"$work/ticker.ticks" &
pids+=($!)
sleep "$tick_seconds"
# The first tick seen is the anchor: tick n is due n seconds after it.
accuracy() {
  awk 'NR == 1 {next} NR == 2 {first = $1} NR > 2 {d = $1 - last - 1e6; if (d < 0) d = -d; if (d > worst) worst = d}
       {last = $1; n++}
       END {printf "%d ticks, drift %.1f ms after the first, worst second %.1f ms off 1 s", n, (last - first - (n - 1) * 1e6) / 1e3, worst / 1e3}' "$1"
}
echo "ticks over $tick_seconds s: rondelay $(accuracy "$work/rondelay.ticks"); plain QTimer $(accuracy "$work/ticker.ticks")"
