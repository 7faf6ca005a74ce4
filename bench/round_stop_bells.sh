#!/usr/bin/env bash
# round_stop_bells.sh BUILD [pulseaudio|pipewire]: the round-mode stop as a user meets it, with
# the real program under Xvfb with openbox and a private sound server with a null sink: a bell
# every minute, 10 s of rest after it, the clock cleared each round, the stop after 2 rounds;
# slot 0 a 0.25 s 660 Hz WAV, slot 2 a 0.8 s 1320 Hz one. Started with Enter, then minimised.
# Slot 0 rings alone at 60 and 70 s; at 130 s slot 0 and the finish bell ring in one tick, and
# only the finish bell can be heard. paplay plays the beep at 65 and 125 s, the reference for
# how late the server is with any sound. Prints when each was heard after the Enter key, from
# the recording's stamps; the figure to read is the finish bell against the lone bells.
# Takes 2 min 15 s. RONDELAY names another build of the program to measure.
set -uo pipefail
build=$(realpath "$1")
server=${2:-pulseaudio}
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  sound_server_stop
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=../scripts/sound-server.sh
source "$here/../scripts/sound-server.sh"
# shellcheck source=../tests/ui/main/displays.sh
source "$here/../tests/ui/main/displays.sh"
start_x
sound_server_start "$server" || exit 1

sox -n -r 44100 -b 16 -c 1 "$work/lone.wav" synth 0.25 sine 660 gain -3
sox -n -r 44100 -b 16 -c 1 "$work/finish.wav" synth 0.8 sine 1320 gain -3
cp "$here/../src/ui/platform/sound/sounds/beep.wav" "$work/beep.wav"
export XDG_CONFIG_HOME=$work/config LANG=ja_JP.UTF-8
mkdir -p "$XDG_CONFIG_HOME/Rondelay"
cat >"$XDG_CONFIG_HOME/Rondelay/Rondelay.conf" <<CONF
[Timer]
IntFlag=1
IntMin=1
NextFlag=1
NextSec=10
ClearFlag=1
FinFlag=1
FinNum=2
0BellFlag=1
0BellFile=$work/lone.wav
2BellFlag=1
2BellFile=$work/finish.wav
CONF
"${RONDELAY:-$build/src/rondelay}" >"$work/rondelay.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Rondelay$' | head -n 1)
[ -n "$window" ] || { echo "no window"; exit 1; }
"$build/bench/sink_sounds" 134 "$work/ready" >"$work/heard" &
recorder=$!
pids+=($recorder)
for _ in $(seq 100); do [ -e "$work/ready" ] && break; sleep 0.05; done
xdotool windowactivate --sync "$window"
sleep 0.5
kill -USR1 "$recorder"
xdotool key --window "$window" Return
xdotool windowminimize "$window"
start=$(date +%s%N)
for at in 65 125; do
  sleep "$(awk -v at="$at" -v start="$start" -v now="$(date +%s%N)" 'BEGIN { printf "%.3f", at - (now - start) / 1e9 }')"
  paplay "$work/beep.wav" &
done
wait "$recorder"
awk '
  function row(what, due, hz,   i) {
    for (i = 1; i <= n; i++) if (hertz[i] > hz * 0.97 && hertz[i] < hz * 1.03 && at[i] > due * 1000 - 500 && at[i] < due * 1000 + 1000) {
      printf "%-34s %9.1f ms after Enter + %d s, %.3f s long\n", what, at[i] - due * 1000, due, len[i]; return }
    printf "%-34s never heard\n", what }
  { n++; at[n] = $1; len[n] = $2; hertz[n] = $3 }
  END {
    row("slot 0 alone, 60 s", 60, 660); row("slot 0 alone, 70 s", 70, 660)
    row("finish bell, 130 s", 130, 1320)
    row("paplay reference, 65 s", 65, 880); row("paplay reference, 125 s", 125, 880)
  }' "$work/heard"
