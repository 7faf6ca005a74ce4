#!/usr/bin/env bash
# Starts the real program with its accessibility bridge on, as a screen reader would find it,
# and reads its accessibility tree over AT-SPI (accessibility_check.py): the names and roles of
# the main window, Start pressed through the tree, the About box, the Options dialog and the
# bell chooser, and on X11, where the keyboard reaches it, the focus after a press.
# Everything runs on a private session bus and accessibility bus started here.
# On Wayland it saves a screenshot of weston's screen, Options open, to
# ARTIFACT_DIR/window-wayland.png.
# Usage: accessibility_test.sh RONDELAY x11|wayland [ARTIFACT_DIR]
set -uo pipefail
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
program=$1
platform=${2:-x11}
artifacts=${3:-artifacts}
here=$(dirname "$0")
work=$(mktemp -d)
pids=()
# tree PID: the process and every process under it, deepest first; the accessibility bus
# starts its registry daemon as a child of its own, so stopping by tree reaches it too.
tree() {
  local child
  for child in $(ps -o pid= --ppid "$1"); do tree "$child"; done
  echo "$1"
}
cleanup() {
  local pid all=()
  for pid in "${pids[@]}"; do mapfile -t -O "${#all[@]}" all < <(tree "$pid"); done
  for pid in "${all[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=../../checks.sh
. "$here/../../checks.sh"
# shellcheck source=displays.sh
. "$here/displays.sh"

for tool in /usr/libexec/at-spi-bus-launcher dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "FAIL $tool is missing (./scripts/setup test installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL python3-pyatspi is missing (./scripts/setup test installs it)"; exit 1; }

export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
case $platform in
  x11) start_x ;;
  wayland) start_weston ;;
  *) echo "usage: $0 RONDELAY x11|wayland" >&2; exit 2 ;;
esac

# The session bus, then the accessibility bus launcher registered on it.
dbus-daemon --config-file=/usr/share/dbus-1/session.conf --nofork --print-address=3 \
  3>"$work/bus" >"$work/dbus.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/bus" ] && break; sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 && break
  sleep 0.1
done

# Bells at an interval, so that the Options dialog's bell rows can be used.
mkdir -p "$XDG_CONFIG_HOME/Rondelay"
printf '[Timer]\nIntFlag=1\nIntMin=5\n' >"$XDG_CONFIG_HOME/Rondelay/Rondelay.conf"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/rondelay.log" 2>&1 &
app=$!
pids+=($app)

for _ in $(seq 50); do grep -q libQt6 "/proc/$app/maps" 2>/dev/null && break; sleep 0.1; done
if [ "$platform" = wayland ]; then
  # Without the Wayland platform plugin Qt aborts at once instead of drawing on weston.
  sleep 1
  grep -q libQt6WaylandClient "/proc/$app/maps" 2>/dev/null
  check "the program draws through Qt's Wayland client" $? "$(tail -n 3 "$work/rondelay.log")"
fi
timeout 60 /usr/bin/python3 "$here/accessibility_check.py" "$app" main
check "main window over AT-SPI on $platform" $? "see the lines above"

if [ "$platform" = x11 ]; then
  # Start takes the focus first; Space presses it as a keyboard user would. The window manager
  # is asked again until the window has the keyboard, as a busy machine's openbox may not
  # have given it at the first asking.
  window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Rondelay$' | head -n 1)
  for _ in $(seq 20); do
    xdotool windowactivate --sync "$window" >/dev/null 2>&1
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && break
    sleep 0.25
  done
  xdotool key --clearmodifiers space
  sleep 0.6
  timeout 60 /usr/bin/python3 "$here/accessibility_check.py" "$app" focus
  check "focus after a press with a screen reader on" $? "see the lines above"
fi
# The dialogs open through their menu commands in the tree, as no xdotool reaches Wayland.
timeout 60 /usr/bin/python3 "$here/accessibility_check.py" "$app" about
check "About box over AT-SPI on $platform" $? "see the lines above"
timeout 60 /usr/bin/python3 "$here/accessibility_check.py" "$app" options
check "Options dialog over AT-SPI on $platform" $? "see the lines above"
if [ "$platform" = wayland ]; then
  mkdir -p "$artifacts" "$work/shot"
  (cd "$work/shot" && timeout 10 weston-screenshooter) && mv "$work"/shot/*.png "$artifacts/window-wayland.png"
  check "a screenshot of weston's screen" $? "weston-screenshooter failed"
fi
kill "$app"
wait "$app" 2>/dev/null
[ -s "$work/rondelay.log" ] && sed 's/^/program: /' "$work/rondelay.log"
summary
