#!/usr/bin/env bash
# Rings real bells through bell_probe into the null sink of a private PulseAudio or PipeWire
# server; the probe checks in a recording of the sink that every bell was heard whole, at its
# pitch and on time, while the desktop changes: the default output switched or removed, the
# server away for seconds, the player closed right after a bell. One server per run.
#
# With `wine`, the bells are the Windows build's, rung by bell_ringer.exe under Wine, whose
# sound reaches the same private PulseAudio through Wine's own driver: the series, one tick's
# two bells, and what rings without a WAV, against paplay in the same run.
# Usage: bell_audio_test.sh PATH/TO/bell_probe pulseaudio|pipewire
#        bell_audio_test.sh PATH/TO/bell_probe wine PATH/TO/bell_ringer.exe
set -euo pipefail

if [[ ! ($# -eq 2 && $2 =~ ^(pulseaudio|pipewire)$) && ! ($# -eq 3 && $2 == wine) ]]; then
    echo "usage: $0 PATH/TO/bell_probe pulseaudio|pipewire|wine [PATH/TO/bell_ringer.exe]" >&2
    exit 2
fi
probe=$(realpath "$1")
server=$2
wine_ringer=""
if [[ $server == wine ]]; then
    wine_ringer=$(realpath "$3")
    server=pulseaudio
fi
here=$(dirname "$(realpath "$0")")
for tool in pulseaudio pipewire wireplumber pipewire-pulse dbus-daemon pactl parec paplay sox \
    timeout; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done
# shellcheck source=../../../../scripts/sound-server.sh
source "$here/../../../../scripts/sound-server.sh"

work=$(mktemp -d)
probe_pid=""
cleanup() {
    if [[ -n $probe_pid ]]; then
        kill "$probe_pid" 2>/dev/null || true
        wait "$probe_pid" 2>/dev/null || true
    fi
    sound_server_stop
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
export QT_QPA_PLATFORM=offscreen
# The player says which way each bell went, which tells a desktop beep from silence.
export QT_LOGGING_RULES=rondelay.bells.debug=true

# The test's bells are plain tones, made here; the probe measures what sounded.
tone() {  # tone FILE SECONDS HERTZ
    sox -n -r 44100 -b 16 -c 1 "$1" synth "$2" sine "$3" gain -3
}
# A name that only survives a correct trip from UTF-8 through the file system.
bell="$work/ベル音 #1.wav"
tone "$bell" 1.5 440
tone "$work/short440.wav" 0.25 440
tone "$work/short660.wav" 0.3 660
tone "$work/long440.wav" 3 440
# Header and a few samples: the data chunk promises far more than the file holds.
head -c 5000 "$work/long440.wav" >"$work/cut.wav"

passed=0 failed=0 case_ok=1
begin() { echo "$1"; case_ok=1; }

end() {
    if ((case_ok)); then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        if [[ -s $work/probe.log ]]; then
            echo "    bell_probe said:"
            sed 's/^/      /' "$work/probe.log" | tail -20
        fi
    fi
    : >"$work/probe.log"
}

expect() {  # expect WHAT VALUE LOW HIGH
    if awk -v v="$2" -v lo="$3" -v hi="$4" \
        'BEGIN { exit !(v ~ /^-?[0-9]+(\.[0-9]+)?$/ && v + 0 >= lo && v + 0 <= hi) }'; then
        printf '    %-26s %10s   ok (%s..%s)\n' "$1" "$2" "$3" "$4"
    else
        printf '    %-26s %10s   FAIL (want %s..%s)\n' "$1" "${2:-none}" "$3" "$4"
        case_ok=0
    fi
}

# wine_path PATH: PATH as Wine names it; drive Z: is the host's root.
wine_path() {
    printf 'Z:%s' "${1//\//\\}"
}

# heard PROBE-ARGS...: the probe records the sink while it rings and checks every bell itself.
# Under Wine it hands each ring to the Windows build's ringer, which takes the same slots.
heard() {
    local status=0 via=() slots=() ringer_pid="" i
    if [[ -n $wine_ringer ]]; then
        local args=("$@")
        for ((i = 0; i + 1 < ${#args[@]}; i++)); do
            if [[ ${args[i]} == --wav || ${args[i]} == --path ]]; then
                slots+=("${args[i]}" "${args[i + 1]%%=*}=$(wine_path "${args[i + 1]#*=}")")
            fi
        done
        rm -f "$work/ready"
        exec 3> >(exec wine "$wine_ringer" --ready "$(wine_path "$work/ready")" "${slots[@]}" \
            2>>"$work/probe.log")
        ringer_pid=$!
        via=(--rings-to /dev/fd/3 --ringer-ready "$work/ready")
    fi
    timeout 120 "$probe" --record rec.monitor "${via[@]}" "$@" 2>>"$work/probe.log" ||
        status=$?
    if [[ -n $ringer_pid ]]; then
        exec 3>&-  # the end of its input ends the ringer
        wait "$ringer_pid" || true
    fi
    expect "probe exit status" "$status" 0 0
}

many_bells() {
    # 400 ms apart leaves each stream time to drain: closer, PipeWire now and then holds a sound
    # back while it tears down the last stream, and the two run into one.
    attempt "$name: 120 bells 400 ms apart, a WAV on slot 0 and the beep on slot 2 in turn" \
        heard --wav 0="$work/short440.wav" --series 120/400/0,2@5000 --baseline 5 \
        --quit-after 54000
    attempt "$name: slot 0 and then slot 2 in the same tick, 12 times: slot 2 is heard at once (the new bell cuts off the one sounding), and no stream stays behind in the mixer" \
        one_tick

    # The sink suspends after a second of silence, as a desktop's does after a few; PipeWire
    # suspends an idle sink by itself, after five.
    local quiet=7000
    if [[ $server == pulseaudio ]]; then
        pactl load-module module-suspend-on-idle timeout=1 >/dev/null
        quiet=3500
    fi
    # Waking the output takes the sound server a while, paplay's sound too; what matters is
    # that the bell is whole.
    attempt "$name: the first bell after the output fell idle is heard from its start" \
        heard --wav 2="$bell" --baseline 3 --series 3/$quiet/0,2,0@4500 --allow-late 500 \
        --quit-after $((5500 + 2 * quiet))
    if [[ $server == pulseaudio ]]; then
        pactl unload-module module-suspend-on-idle
        pactl suspend-sink rec 0
    fi
}

# in_background PROBE-ARGS...: starts the probe recording and checking while the test changes
# the desktop around it, and returns once the probe's times start; `finish_probe` waits for its
# verdict.
in_background() {
    rm -f "$work/started"
    timeout 120 "$probe" --started "$work/started" --record "$@" >"$work/background.out" \
        2>>"$work/probe.log" &
    probe_pid=$!
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -e $work/started ]] && break
        sleep 0.05
    done
    launched=$(date +%s%N)
}

finish_probe() {
    local status=0
    wait "$probe_pid" || status=$?
    probe_pid=""
    cat "$work/background.out"
    expect "probe exit status" "$status" 0 0
}

# attempt TITLE COMMAND ARGS...: a case that fails is run once more and fails only if it fails
# again: without real-time priority the test's server now and then drops a moment of a bell
# (paplay's too) on a busy machine. A player that loses bells loses them in both runs.
attempt() {
    begin "$1"
    shift
    "$@"
    if ((!case_ok)); then
        echo "    once more:"
        sed 's/^/      /' "$work/probe.log" | tail -20
        : >"$work/probe.log"
        case_ok=1
        "$@"
    fi
    end
}

one_tick() {
    in_background rec.monitor --wav 0="$work/long440.wav" --wav 2="$work/short660.wav" \
        --series 12/700/0+2@5000 --baseline 5 --quit-after 14000
    sleep 13.5  # the last bell ended at 13 s
    expect "streams left in the mixer" "$(pactl list short sink-inputs | wc -l)" 0 1
    finish_probe
}

switched_output() {
    local module
    module=$(pactl load-module module-null-sink sink_name=rec2)
    in_background rec2.monitor --wav 0="$work/short440.wav" --series 10/400/0,2@2000 \
        --heard-from 4000 --quit-after 6600
    sleep 3
    pactl set-default-sink rec2
    finish_probe
    pactl unload-module "$module"
    pactl set-default-sink rec
}

removed_output() {
    local module
    module=$(pactl load-module module-null-sink sink_name=rec2)
    pactl set-default-sink rec2
    # The rest of the bell moves to the output left, so the next ones come after its end.
    in_background rec.monitor --wav 0="$work/long440.wav" --series 1/0/0@2000 \
        --series 5/400/2@6500 --heard-from 6500 --quit-after 8800
    sleep 3
    pactl unload-module "$module"
    finish_probe
    pactl set-default-sink rec
}

server_away() {
    local back started
    : >"$work/back"
    # The bells go on 20 s past the server's start: a fresh PipeWire was now and then not back
    # before a shorter series ended, and the probe, never told when it was, aborted.
    in_background rec.monitor --wav 0="$work/short440.wav" --series 70/400/0,2@2000 \
        --heard-from-file "$work/back" --quit-after 30500
    sleep 3
    sound_server_kill
    sleep 6
    started=$(date +%s%N)
    sound_server_start "$server"
    back=$(date +%s%N)
    echo $(((back - launched) / 1000000 + 3000)) >"$work/back"  # on the probe's clock
    echo "    the server answered $(((back - started) / 1000000)) ms after it was started again"
    finish_probe
    expect "desktop beeps meanwhile" "$(grep -c 'desktop beep' "$work/probe.log" || true)" 5 40
}

closed_after_bell() {
    local i status unclean=0
    for ((i = 0; i < 20; i++)); do
        status=0
        timeout 10 "$probe" --wav 0="$bell" --series 1/0/0@200 --quit-after $((200 + i * 47)) \
            2>>"$work/probe.log" || status=$?
        if ((status != 0)); then
            unclean=$((unclean + 1))
            echo "    closed $((i * 47)) ms after the bell: exit status $status"
        fi
    done
    expect "unclean exits" "$unclean" 0 0
}

desktop_changes() {
    attempt "$name: the default output switched (headphones plugged in): the next bells play there" \
        switched_output
    attempt "$name: the output removed while a bell sounds: the next bells play on the one left" \
        removed_output
    attempt "$name: the server away for 6 s: the desktop beep meanwhile, bells 3 s after it is back" \
        server_away
    # Never run twice: a crash is a crash.
    begin "$name: closed within a second of a bell, 20 times: a clean exit each time"
    closed_after_bell
    end
}

no_wav() {
    attempt "$name: what rings when a slot has no WAV to play: the beep, for a slot on the beep \
though a path is set, a missing file and a file cut short" \
        heard --path 0="$bell" --wav 1="$work/no such file.wav" --wav 2="$work/cut.wav" \
        --series 6/700/0,1,2@4500 --baseline 3 --quit-after 9000
}

name=PulseAudio
[[ $server == pipewire ]] && name=PipeWire
sound_server_start "$server"
if [[ -n $wine_ringer ]]; then
    name="Windows, under Wine"
    attempt "$name: 60 bells 400 ms apart, a WAV on slot 0 and the beep on slot 2 in turn" \
        heard --wav 0="$work/short440.wav" --series 60/400/0,2@5000 --baseline 5 \
        --quit-after 30000
    attempt "$name: slot 0 and then slot 2 in the same tick, 12 times: slot 2 is heard at once" \
        heard --wav 0="$work/long440.wav" --wav 2="$work/short660.wav" \
        --series 12/700/0+2@5000 --baseline 5 --quit-after 14000
    no_wav
    sound_server_stop
    echo "$passed passed, $failed failed"
    ((failed == 0))
    exit
fi
many_bells
desktop_changes
if [[ $server == pulseaudio ]]; then
    no_wav

    begin "no sound server at all: every bell gives the desktop beep and the probe carries on"
    status=0
    PULSE_SERVER=unix:$work/nothing-here timeout 20 "$probe" --wav 0="$bell" \
        --series 4/300/0,2@100 --quit-after 1500 2>>"$work/probe.log" || status=$?
    expect "probe exit status" "$status" 0 0
    expect "desktop beeps" "$(grep -c 'desktop beep' "$work/probe.log" || true)" 4 4
    end
fi
sound_server_stop

echo "$passed passed, $failed failed"
((failed == 0))
