#!/usr/bin/env bash
# A private sound server with a null sink named "rec" whose monitor can be recorded, for the
# audio test and the bell benchmark. It gets its own runtime directory and home, so that it
# neither meets a server already running nor leaves anything behind.
#
#   scripts/sound-server.sh pulseaudio|pipewire COMMAND [ARGS...]   runs COMMAND beside it
#
# Sourced, it gives sound_server_start KIND, sound_server_stop and sound_server_kill (the
# server gone at once, as in a crash; start it again with sound_server_start).

sound_server_pids=()
sound_server_dir=""

# The server's log, for a failure message.
sound_server_log() {
    cat "$sound_server_dir"/*.log >&2 2>/dev/null || true
}

# Starts one program of the server in the background, not daemonized, so that its pid is known.
_sound_server_spawn() {  # NAME PROGRAM [ARGS...]
    local name=$1
    shift
    "$@" >"$sound_server_dir/$name.log" 2>&1 &
    sound_server_pids+=($!)
}

_sound_server_wait_for() {  # PATH: each program waits for the one before it
    local i
    for ((i = 0; i < 100; i++)); do
        if [[ -S $1 ]]; then
            return 0
        fi
        sleep 0.05
    done
    echo "no socket $1 appeared:" >&2
    sound_server_log
    return 1
}

_sound_server_wait_ready() {
    local i
    for ((i = 0; i < 100; i++)); do
        if pactl info >/dev/null 2>&1 && pactl list short sinks 2>/dev/null | grep -q '^[0-9]*\s*rec\s'; then
            return 0
        fi
        if ((i % 10 == 9)) && [[ $1 == pipewire ]]; then
            # pipewire-pulse takes the sink only once it answers.
            pactl load-module module-null-sink sink_name=rec >/dev/null 2>&1 || true
        fi
        sleep 0.1
    done
    echo "the $1 sound server did not start:" >&2
    sound_server_log
    return 1
}

sound_server_start() {  # pulseaudio|pipewire
    local kind=$1
    if [[ -z $sound_server_dir ]]; then
        sound_server_dir=$(mktemp -d)
        mkdir -p "$sound_server_dir/home"
        mkdir -m 700 "$sound_server_dir/run"
    fi
    export HOME=$sound_server_dir/home XDG_RUNTIME_DIR=$sound_server_dir/run
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    unset PULSE_SINK PULSE_SOURCE
    case $kind in
    pulseaudio)
        # As root it only warns that it is meant for the system mode.
        _sound_server_spawn pulseaudio pulseaudio -n --daemonize=no --use-pid-file=no \
            --exit-idle-time=-1 --realtime=no --high-priority=no --log-target=stderr \
            --log-level=error \
            --load="module-null-sink sink_name=rec format=s16le rate=44100 channels=2" \
            --load=module-native-protocol-unix
        ;;
    pipewire)
        # WirePlumber, which links the streams to the sink, wants a session bus: its own,
        # so that it meets no other session's sound server.
        export DBUS_SESSION_BUS_ADDRESS=unix:path=$sound_server_dir/run/bus
        _sound_server_spawn dbus dbus-daemon --session --nofork --nopidfile \
            --address="$DBUS_SESSION_BUS_ADDRESS"
        _sound_server_wait_for "$sound_server_dir/run/bus" || return 1
        _sound_server_spawn pipewire pipewire
        _sound_server_wait_for "$XDG_RUNTIME_DIR/pipewire-0" || return 1
        _sound_server_spawn wireplumber wireplumber
        _sound_server_spawn pipewire-pulse pipewire-pulse
        ;;
    *)
        echo "sound_server_start: pulseaudio or pipewire, not '$kind'" >&2
        return 2
        ;;
    esac
    _sound_server_wait_ready "$kind" || return 1
    pactl set-default-sink rec
    # SOUND_SERVER_SUSPEND=SECONDS: PulseAudio suspends the idle sink after that long, as a
    # desktop's does (PipeWire does so by itself after five).
    if [[ -n ${SOUND_SERVER_SUSPEND:-} && $kind == pulseaudio ]]; then
        pactl load-module module-suspend-on-idle timeout="$SOUND_SERVER_SUSPEND" >/dev/null
    fi
}

_sound_server_end() {  # SIGNAL
    local pid
    for pid in "${sound_server_pids[@]}"; do
        kill "-$1" "$pid" 2>/dev/null || true
    done
    for pid in "${sound_server_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    sound_server_pids=()
}

sound_server_kill() {
    _sound_server_end KILL
    rm -rf "$sound_server_dir/run/pulse" "$sound_server_dir/run"/pipewire-*
}

sound_server_stop() {
    _sound_server_end TERM
    if [[ -n $sound_server_dir ]]; then
        rm -rf "$sound_server_dir"
        sound_server_dir=""
    fi
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    if [[ $# -lt 2 ]]; then
        echo "usage: $0 pulseaudio|pipewire COMMAND [ARGS...]" >&2
        exit 2
    fi
    kind=$1
    shift
    trap sound_server_stop EXIT
    trap 'exit 1' INT TERM
    sound_server_start "$kind"
    "$@"
fi
