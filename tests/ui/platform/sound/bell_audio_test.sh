#!/usr/bin/env bash
# Rings real bells through bell_probe into the null sink of a private PulseAudio server and of
# a private PipeWire server, records the sink's monitor and checks that every bell was heard
# whole, at its pitch and on time, while the desktop changes around it: the default output
# switched or removed, the server away for seconds, the player closed right after a bell.
#
#   bell_audio_test.sh PATH/TO/bell_probe
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 PATH/TO/bell_probe" >&2
    exit 2
fi
probe=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
for tool in pulseaudio pipewire wireplumber pipewire-pulse dbus-daemon pactl parec paplay sox \
    soxi timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "missing tool: $tool" >&2
        exit 1
    fi
done
# shellcheck source=../../../scripts/sound-server.sh
source "$here/../../../scripts/sound-server.sh"

work=$(mktemp -d)
parec_pid=""
probe_pid=""
cleanup() {
    local pid
    for pid in $parec_pid $probe_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    sound_server_stop
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
export QT_QPA_PLATFORM=offscreen
# The player says which way each bell went, which tells a desktop beep from silence.
export QT_LOGGING_RULES=rondelay.bells.debug=true

tone() {  # tone FILE SECONDS HERTZ
    sox -n -r 44100 -b 16 -c 1 "$1" synth "$2" sine "$3" gain -3
}
# A name that only survives a correct trip from UTF-8 through the file system.
bell="$work/ベル音 #1.wav"
tone "$bell" 1.5 440
tone "$work/short440.wav" 0.25 440
tone "$work/short660.wav" 0.3 660
tone "$work/long440.wav" 3 440
tone "$work/e660.wav" 1 660
# Header and a few samples: the data chunk promises far more than the file holds.
head -c 5000 "$work/long440.wav" >"$work/cut.wav"

passed=0
failed=0
case_ok=1

begin() {
    echo "$1"
    case_ok=1
}

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

# heard PROBE-ARGS...: the probe records the sink while it rings and checks every bell itself.
# A case that fails is run once more, and fails only if it fails again: the test's sound
# server runs without real-time priority, and on a busy machine it now and then drops a
# moment of one bell (and of paplay's too) that no player can prevent. A player that loses
# bells loses them in both runs.
heard() {
    local status=0
    timeout 120 "$probe" --record rec.monitor "$@" 2>>"$work/probe.log" || status=$?
    if ((status != 0)); then
        echo "    once more:"
        status=0
        timeout 120 "$probe" --record rec.monitor "$@" 2>>"$work/probe.log" || status=$?
    fi
    expect "probe exit status" "$status" 0 0
}

# Rings slot 0 and then slot 2 in the same tick, COUNT times, EVERY ms apart from 5 s on.
same_tick() {  # same_tick COUNT EVERY
    local i
    for ((i = 0; i < $1; i++)); do
        printf -- '--ring 0+2@%d ' $((5000 + i * $2))
    done
}

many_bells() {  # many_bells SERVER pulseaudio|pipewire
    begin "$1: 120 bells 320 ms apart, a WAV on slot 0 and the beep on slot 2 in turn"
    heard --wav 0="$work/short440.wav" --series 120/320/0,2@5000 --baseline 5 \
        --quit-after 44000
    end

    begin "$1: slot 0 and then slot 2 in the same tick, 20 times: slot 2 is heard at once"
    # shellcheck disable=SC2046
    heard --wav 0="$work/long440.wav" --wav 2="$work/short660.wav" $(same_tick 20 700) \
        --baseline 5 --quit-after 19500
    end

    # The sink suspends after a second of silence, as a desktop's does after a few; PipeWire
    # suspends an idle sink by itself, after five.
    local quiet=7000
    if [[ $2 == pulseaudio ]]; then
        pactl load-module module-suspend-on-idle timeout=1 >/dev/null
        quiet=3500
    fi
    begin "$1: the first bell after the output fell idle is heard from its start"
    # Waking the output takes the sound server a while, paplay's sound too; what matters is
    # that the bell is whole.
    heard --wav 2="$bell" --baseline 3 --ring 0@4500 --ring 2@$((4500 + quiet)) \
        --ring 0@$((4500 + 2 * quiet)) --allow-late 500 --quit-after $((5500 + 2 * quiet))
    end
    if [[ $2 == pulseaudio ]]; then
        pactl unload-module module-suspend-on-idle
        pactl suspend-sink rec 0
    fi
}

# in_background PROBE-ARGS...: starts the probe recording and checking while the test changes
# the desktop around it; `finish_probe` waits for its verdict.
in_background() {
    launched=$(date +%s%N)
    timeout 120 "$probe" --record "$@" >"$work/background.out" 2>>"$work/probe.log" &
    probe_pid=$!
}

since_launch() {  # milliseconds since in_background started the probe
    echo $((($(date +%s%N) - launched) / 1000000))
}

finish_probe() {
    local status=0
    wait "$probe_pid" || status=$?
    probe_pid=""
    cat "$work/background.out"
    expect "probe exit status" "$status" 0 0
}

# A case of the desktop changing around the player, run once more if it fails, for the reason
# given at heard(): attempt TITLE FUNCTION ARGS...
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
    in_background rec.monitor --wav 0="$work/long440.wav" --ring 0@2000 \
        --series 5/400/2@6500 --heard-from 6500 --quit-after 8800
    sleep 3
    pactl unload-module "$module"
    finish_probe
    pactl set-default-sink rec
}

server_away() {  # server_away pulseaudio|pipewire
    : >"$work/back"
    in_background rec.monitor --wav 0="$work/short440.wav" --series 45/400/0,2@2000 \
        --heard-from-file "$work/back" --quit-after 20500
    sleep 3
    sound_server_kill
    sleep 6
    sound_server_start "$1"
    echo $(($(since_launch) + 3000)) >"$work/back"
    finish_probe
    expect "desktop beeps meanwhile" "$(grep -c 'desktop beep' "$work/probe.log" || true)" 5 40
}

closed_after_bell() {
    local i status unclean=0
    for ((i = 0; i < 20; i++)); do
        status=0
        timeout 10 "$probe" --wav 0="$bell" --ring 0@200 --quit-after $((200 + i * 47)) \
            2>>"$work/probe.log" || status=$?
        if ((status != 0)); then
            unclean=$((unclean + 1))
            echo "    closed $((i * 47)) ms after the bell: exit status $status"
        fi
    done
    expect "unclean exits" "$unclean" 0 0
}

desktop_changes() {  # desktop_changes SERVER pulseaudio|pipewire
    attempt "$1: the default output switched (headphones plugged in): the next bells play there" \
        switched_output
    attempt "$1: the output removed while a bell sounds: the next bells play on the one left" \
        removed_output
    attempt "$1: the server away for 6 s: the desktop beep meanwhile, bells 3 s after it is back" \
        server_away "$2"
    # Never run twice: a crash is a crash.
    begin "$1: closed within a second of a bell, 20 times: a clean exit each time"
    closed_after_bell
    end
}

# record OUT PROBE-ARGS...: records while the probe rings; OUT.wav is left holding what sounded,
# from its first to its last audible sample, in one channel.
record() {
    local out=$1
    shift
    local raw=$out.raw
    # Bounded, as a recording left behind would keep the server busy.
    timeout 60 parec --latency-msec=20 --format=s16le --rate=44100 --channels=2 -d rec.monitor \
        >"$raw" &
    parec_pid=$!
    # A fresh recording delivers its first samples a second or two after it opens.
    local i
    for ((i = 0; i < 200; i++)); do
        if [[ -s $raw ]]; then
            break
        fi
        sleep 0.05
    done
    local status=0
    # The timeout catches a probe that hangs instead of quitting.
    timeout 10 "$probe" "$@" 2>>"$work/probe.log" || status=$?
    sleep 0.5
    kill "$parec_pid" 2>/dev/null || true
    wait "$parec_pid" 2>/dev/null || true
    parec_pid=""
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$raw" "$out.wav" remix 1 \
        silence 1 0.01 1% reverse silence 1 0.01 1% reverse
    return "$status"
}

length() {  # length FILE: seconds
    soxi -D "$1" 2>/dev/null || echo 0
}

pitch() {  # pitch FILE [TRIM-ARGS...]: rough frequency in Hz
    local file=$1
    shift
    sox "$file" -n ${1:+trim "$@"} stat 2>&1 | awk '/Rough/ { print $3 }' || true
}

# run NAME PROBE-ARGS...: records into $work/NAME.wav and expects the probe to exit cleanly.
run() {
    local name=$1
    shift
    local status=0
    record "$work/$name" "$@" || status=$?
    expect "probe exit status" "$status" 0 0
}

expect_beep() {  # expect_beep FILE
    expect "beep length (s)" "$(length "$1")" 0.25 0.30
    expect "beep pitch (Hz)" "$(pitch "$1")" 840 920
}

sound_server_start pulseaudio
many_bells PulseAudio pulseaudio
desktop_changes PulseAudio pulseaudio

begin "built-in beep (slot 0 with BellFlag 0, though a path is set)"
run beep --path 0="$bell" --ring 0@0 --quit-after 1500
expect_beep "$work/beep.wav"
end

begin "WAV bell (1.5 s, 440 Hz) heard to its end"
run wav --wav 0="$bell" --ring 0@0 --quit-after 2500
expect "length (s)" "$(length "$work/wav.wav")" 1.48 1.52
expect "pitch (Hz)" "$(pitch "$work/wav.wav")" 420 460
end

begin "second bell cuts off the first (3 s at 440 Hz, then 1 s at 660 Hz a second later)"
run cut_off --wav 0="$work/long440.wav" --wav 2="$work/e660.wav" --ring 0@0 --ring 2@1000 \
    --quit-after 3500
expect "total length (s)" "$(length "$work/cut_off.wav")" 1.9 2.1
expect "first half second (Hz)" "$(pitch "$work/cut_off.wav" 0 0.5)" 420 460
expect "last half second (Hz)" "$(pitch "$work/cut_off.wav" -0.5)" 630 690
end

begin "the beep cuts off a WAV bell (3 s at 440 Hz, the beep a second later)"
run beep_cuts --wav 0="$work/long440.wav" --ring 0@0 --ring 2@1000 --quit-after 2500
expect "total length (s)" "$(length "$work/beep_cuts.wav")" 1.2 1.35
expect "first half second (Hz)" "$(pitch "$work/beep_cuts.wav" 0 0.5)" 420 460
expect "last 0.2 s (Hz)" "$(pitch "$work/beep_cuts.wav" -0.2)" 840 920
end

begin "ringing the same WAV again starts it over (1.5 s, again after 0.7 s)"
run restart --wav 0="$bell" --ring 0@0 --ring 0@700 --quit-after 3500
expect "total length (s)" "$(length "$work/restart.wav")" 2.15 2.25
expect "pitch (Hz)" "$(pitch "$work/restart.wav")" 420 460
end

begin "missing WAV file gives the beep"
run missing --wav 2="$work/no such file.wav" --ring 2@0 --quit-after 1500
expect_beep "$work/missing.wav"
end

begin "cut-short WAV file gives the beep"
run cut_short --wav 0="$work/cut.wav" --ring 0@0 --quit-after 1500
expect_beep "$work/cut_short.wav"
end

begin "no sound server at all: every bell gives the desktop beep and the probe carries on"
status=0
PULSE_SERVER=unix:$work/nothing-here timeout 20 "$probe" --wav 0="$bell" \
    --series 4/300/0,2@100 --quit-after 1500 2>>"$work/probe.log" || status=$?
expect "probe exit status" "$status" 0 0
expect "desktop beeps" "$(grep -c 'desktop beep' "$work/probe.log" || true)" 4 4
end

sound_server_start pipewire
many_bells PipeWire pipewire
desktop_changes PipeWire pipewire
sound_server_stop

echo "$passed passed, $failed failed"
((failed == 0))
