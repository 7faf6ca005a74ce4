#!/usr/bin/env bash
# Starts the real program with its accessibility bridge on, as a screen reader would find it,
# and reads its accessibility tree over AT-SPI (accessibility_check.py): the names and roles of
# the main window, Start pressed through the tree, the About box, the Options dialog and the
# bell chooser, and on X11, where the keyboard reaches it, the focus after a press. On Wayland
# it saves a screenshot of weston's screen, Options open, to ARTIFACT_DIR/window-wayland.png.
# Usage: accessibility_test.sh RONDELAY x11|wayland [ARTIFACT_DIR]
set -uo pipefail
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
# A private session bus, on which D-Bus starts the accessibility bus when the program first
# asks for it, and which takes that bus down with it at the end.
[ -n "${RONDELAY_PRIVATE_BUS:-}" ] || RONDELAY_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@"
program=$1
platform=${2:-x11}
artifacts=${3:-artifacts}
here=$(dirname "$0")
work=$(mktemp -d)
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=../../checks.sh
. "$here/../../checks.sh"
# shellcheck source=displays.sh
. "$here/displays.sh"

[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "FAIL at-spi2-core is missing (./scripts/setup test installs it)"; exit 1; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL python3-pyatspi is missing (./scripts/setup test installs it)"; exit 1; }

export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
case $platform in
  x11) start_x ;;
  wayland) start_weston ;;
  *) echo "usage: $0 RONDELAY x11|wayland" >&2; exit 2 ;;
esac

# Bells at an interval, so that the Options dialog's bell rows can be used.
mkdir -p "$XDG_CONFIG_HOME/Rondelay"
printf '[Timer]\nIntFlag=1\nIntMin=5\n' >"$XDG_CONFIG_HOME/Rondelay/Rondelay.conf"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/rondelay.log" 2>&1 &
app=$!
pids+=($app)

# On Wayland nothing falls back to X11 (start_weston unsets DISPLAY): without Qt's Wayland
# client the program never shows up on the bus, and its log below says why.
timeout 60 /usr/bin/python3 "$here/accessibility_check.py" "$app" main
check "main window over AT-SPI on $platform" $? "see the lines above"

if [ "$platform" = x11 ]; then
  # Start, pressed through the tree, has the focus; Space presses it again as a keyboard user
  # would. The window manager is asked again until the window has the keyboard, as a busy
  # machine's openbox may not have given it at the first asking.
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
