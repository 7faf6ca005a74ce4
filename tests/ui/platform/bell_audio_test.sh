#!/usr/bin/env bash
# Rings real bells through bell_probe into a private PulseAudio null sink, records the sink's
# monitor and checks the pitch and length of what was heard.
#
#   bell_audio_test.sh PATH/TO/bell_probe
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 PATH/TO/bell_probe" >&2
    exit 2
fi
probe=$(realpath "$1")
for tool in pulseaudio pactl parec sox soxi timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "missing tool: $tool" >&2
        exit 1
    fi
done

work=$(mktemp -d)
pulse_pid=""
parec_pid=""
cleanup() {
    if [[ -n $parec_pid ]]; then
        kill "$parec_pid" 2>/dev/null || true
        wait "$parec_pid" 2>/dev/null || true
    fi
    if [[ -n $pulse_pid ]]; then
        kill "$pulse_pid" 2>/dev/null || true
        wait "$pulse_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The server gets its own runtime directory and home (it keeps a cookie there), so that it
# neither meets a server already running nor leaves anything behind.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
unset PULSE_SINK PULSE_SOURCE
export QT_QPA_PLATFORM=offscreen

# Not daemonized, so that $! is the server itself and the trap can stop it. Should this script
# be killed outright, the server still leaves by itself once idle. As root it only warns that
# it is meant for the system mode.
pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=20 --realtime=no \
    --high-priority=no --log-target=stderr --log-level=error \
    --load="module-null-sink sink_name=rec format=s16le rate=44100 channels=2" \
    --load=module-native-protocol-unix 2>"$work/pulse.log" &
pulse_pid=$!
for ((i = 0; ; i++)); do
    if pactl info >/dev/null 2>&1; then
        break
    fi
    if ((i >= 100)) || ! kill -0 "$pulse_pid" 2>/dev/null; then
        echo "PulseAudio did not start:" >&2
        cat "$work/pulse.log" >&2
        exit 1
    fi
    sleep 0.1
done

tone() {  # tone FILE SECONDS HERTZ
    sox -n -r 44100 -b 16 -c 1 "$1" synth "$2" sine "$3" gain -3
}
# A name that only survives a correct trip from UTF-8 through a file URL.
bell="$work/ベル音 #1.wav"
tone "$bell" 1.5 440
tone "$work/long440.wav" 3 440
tone "$work/e660.wav" 1 660
# Header and a few samples: the data chunk promises far more than the file holds.
head -c 5000 "$work/long440.wav" >"$work/cut.wav"

# record OUT PROBE-ARGS...: records while the probe rings; OUT.wav is left holding what sounded,
# from its first to its last audible sample, in one channel.
record() {
    local out=$1
    shift
    local raw=$out.raw
    : >"$raw"
    # Bounded, as a recording left behind would keep the server busy.
    timeout 60 parec --latency=64 --format=s16le --rate=44100 --channels=2 -d rec.monitor \
        >"$raw" &
    parec_pid=$!
    # A fresh null sink delivers its first samples a second or two after the recording opens.
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
    sleep 0.3
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

passed=0
failed=0
case_ok=1

expect() {  # expect WHAT VALUE LOW HIGH
    if awk -v v="$2" -v lo="$3" -v hi="$4" \
        'BEGIN { exit !(v ~ /^-?[0-9]+(\.[0-9]+)?$/ && v + 0 >= lo && v + 0 <= hi) }'; then
        printf '    %-26s %10s   ok (%s..%s)\n' "$1" "$2" "$3" "$4"
    else
        printf '    %-26s %10s   FAIL (want %s..%s)\n' "$1" "${2:-none}" "$3" "$4"
        case_ok=0
    fi
}

begin() {
    echo "$1"
    case_ok=1
}

end() {
    if ((case_ok)); then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
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
    expect "beep length (s)" "$(length "$1")" 0.20 0.45
    expect "beep pitch (Hz)" "$(pitch "$1")" 840 920
}

begin "built-in beep (slot 0 with BellFlag 0, though a path is set)"
run beep --path 0="$bell" --ring 0@0 --quit-after 1500
expect_beep "$work/beep.wav"
end

begin "WAV bell (1.5 s, 440 Hz)"
run wav --wav 0="$bell" --ring 0@0 --quit-after 2500
expect "length (s)" "$(length "$work/wav.wav")" 1.25 1.75
expect "pitch (Hz)" "$(pitch "$work/wav.wav")" 420 460
end

begin "second bell cuts off the first (3 s at 440 Hz, then 1 s at 660 Hz a second later)"
run cut_off --wav 0="$work/long440.wav" --wav 2="$work/e660.wav" --ring 0@0 --ring 2@1000 \
    --quit-after 3500
expect "total length (s)" "$(length "$work/cut_off.wav")" 1.6 2.5
expect "first half second (Hz)" "$(pitch "$work/cut_off.wav" 0 0.5)" 420 460
expect "last half second (Hz)" "$(pitch "$work/cut_off.wav" -0.5)" 630 690
end

begin "the beep cuts off a WAV bell (3 s at 440 Hz, the beep a second later)"
run beep_cuts --wav 0="$work/long440.wav" --ring 0@0 --ring 2@1000 --quit-after 2500
expect "total length (s)" "$(length "$work/beep_cuts.wav")" 1.1 1.7
expect "first half second (Hz)" "$(pitch "$work/beep_cuts.wav" 0 0.5)" 420 460
expect "last 0.2 s (Hz)" "$(pitch "$work/beep_cuts.wav" -0.2)" 840 920
end

begin "ringing the same WAV again starts it over (1.5 s, again after 0.7 s)"
run restart --wav 0="$bell" --ring 0@0 --ring 0@700 --quit-after 3500
expect "total length (s)" "$(length "$work/restart.wav")" 1.95 2.6
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

if ((failed)) && [[ -s $work/probe.log ]]; then
    echo "bell_probe said:"
    cat "$work/probe.log"
fi
echo "$passed passed, $failed failed"
((failed == 0))
