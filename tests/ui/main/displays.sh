# Display servers for the shell tests, sourced by them. Each adds the PIDs it starts to the
# caller's `pids` array and keeps its logs in the caller's `$work` folder.

# start_x: starts an X server with openbox on a free display and exports DISPLAY.
start_x() {
  # Xvfb picks the display itself, skipping one held by a lock file or by a socket: a lock file
  # is not seen from a chroot or a container, while the abstract socket is, and a display
  # chosen by lock files alone would be a second server's, whose clients reach the first.
  local number
  number=$(mktemp "$work/xvfb-display.XXXX")
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" >"$number.log" 2>&1 &
  pids+=($!)
  # It writes the number once it takes clients; a machine busy with a fresh install may take
  # seconds to get there.
  for _ in $(seq 200); do [ -s "$number" ] && break; sleep 0.1; done
  [ -s "$number" ] || { echo "FAIL Xvfb did not start:"; cat "$number.log"; echo "0 passed, 1 failed"; exit 1; }
  export DISPLAY=:$(head -n 1 "$number")
  # An openbox that gave up all the same (seen on a machine loaded with a compile) is started
  # again: without a window manager nothing can be minimised or framed.
  local attempt wm
  for attempt in 1 2 3; do
    openbox >>"$work/openbox$DISPLAY.log" 2>&1 &
    wm=$!
    pids+=($wm)
    for _ in $(seq 200); do
      wmctrl -m >/dev/null 2>&1 && return 0
      kill -0 "$wm" 2>/dev/null || break
      sleep 0.1
    done
    echo "openbox is not managing $DISPLAY (try $attempt):" >&2
    tail -n 5 "$work/openbox$DISPLAY.log" >&2
    kill -0 "$wm" 2>/dev/null && return 0  # still starting: a second one would only clash
  done
}

# start_weston: starts weston with its headless back end in $XDG_RUNTIME_DIR, and points Qt
# at it: WAYLAND_DISPLAY set, DISPLAY unset so that nothing falls back to X11.
start_weston() {
  command -v weston >/dev/null || { echo "FAIL weston is missing (./scripts/setup test installs it)"; echo "0 passed, 1 failed"; exit 1; }
  export WAYLAND_DISPLAY=wayland-rondelay-test
  # The pixman renderer draws, so that weston-screenshooter (allowed by --debug) has a picture.
  weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
    --idle-time=0 --width=1024 --height=768 >"$work/weston.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { echo "FAIL weston did not start:"; cat "$work/weston.log"; echo "0 passed, 1 failed"; exit 1; }
  unset DISPLAY
  export QT_QPA_PLATFORM=wayland
}

# find_window SECONDS NAME-PATTERN: prints the first visible window of that name within that
# time. xdotool gives up on an X error when a window goes while it looks, as Wine's hidden
# windows do as a program starts, so it is asked again.
find_window() {
  local id end=$((SECONDS + $1))
  while [ "$SECONDS" -le "$end" ]; do
    id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.02
  done
  return 1
}

# wine_session: what the Wine tests start from: a work folder and a runtime folder of their own,
# an X display with openbox, and at exit, Wine's server and everything started ended. Before
# Wine's server starts: one started without a display cannot open windows later.
wine_session() {
  work=$(mktemp -d)
  pids=()
  trap 'wineserver -k 2>/dev/null; for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"' EXIT
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  start_x
}
