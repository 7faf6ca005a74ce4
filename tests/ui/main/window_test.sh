#!/usr/bin/env bash
# Starts the real program under Xvfb with openbox and checks what a person sees: the title,
# Enter starting the timer, the minimised title, the proportions on screens scaled by 1.5 and
# 2, the menus, Options and the bell chooser from the keyboard alone (the status line read back
# with OCR) and the settings written at exit. docs/ takes its screenshots from the artifacts.
# Usage: window_test.sh RONDELAY ARTIFACT_DIR
set -uo pipefail
# The dialogs' Japanese titles reach WM_NAME, which `xdotool search --name` reads, only in a
# UTF-8 locale; C.UTF-8 is there on every Debian system, configured or not.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
program=$1
artifacts=${2:-artifacts}
mkdir -p "$artifacts"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=../../checks.sh
. "$(dirname "$0")/../../checks.sh"

# shellcheck source=displays.sh
. "$(dirname "$0")/displays.sh"

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# start SIZE [INTERVAL]: writes the settings with that display size and interval (minutes)
# and starts the program.
start() {
  mkdir -p "$(dirname "$conf")"
  cat >"$conf" <<CONF
[Timer]
IntFlag=1
IntMin=${2:-5}
NextFlag=1
NextSec=30
FinFlag=1
FinHour=1
FinMin=30

[Font]
Bold=False
Italic=False
Name=IPAPGothic
Size=$1
CONF
  "$program" >"$work/rondelay-$1.log" 2>&1 &
  app=$!
  pids+=($app)
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Rondelay$' | head -n 1)
}

start_x
export XDG_CONFIG_HOME=$work/config
conf=$XDG_CONFIG_HOME/Rondelay/Rondelay.conf

screenshot() {  # screenshot FILE [WINDOW [client]]
  sleep 0.5
  local id=${2:-$window} x y w h left right top bottom
  [ -n "$id" ] || return 0  # no window to take: its own check has failed already
  read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
  # Include the window manager's frame around the client.
  read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
  [ "${3:-}" = client ] && left=0 right=0 top=0 bottom=0
  import -window root -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" +repage "$1"
}

# status_text FILE: what OCR reads in the lower part of a main-window shot, where the status
# line is, enlarged for its small font.
status_text() {
  convert "$1" -gravity south -crop 100%x35%+0+0 +repage -scale 300% -colorspace Gray "$work/ocr.png"
  tesseract "$work/ocr.png" - -l jpn --psm 6 2>/dev/null
}

# open_options: Alt+V, O on the main window; the id of the Options dialog, empty if it never
# showed. A busy machine may take longer than the pause to open the menu, and the O then goes
# nowhere: a menu still open is closed and the keys are given again, as a user would.
open_options() {
  local found
  xdotool windowactivate --sync "$window" >/dev/null 2>&1
  for _ in 1 2 3; do
    xdotool key --clearmodifiers alt+v
    sleep 0.3
    xdotool key o
    found=$(timeout 5 xdotool search --sync --onlyvisible --name 'ｵﾌﾟｼｮﾝ' | head -n 1)
    [ -n "$found" ] && break
    xdotool key Escape Escape
  done
  echo "$found"
}

# ended: waits up to 10 s for the program to end; fails if it is still running.
ended() {
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}


# client_size [WINDOW]: a window's client width and height in screen pixels, the main
# window's by default.
client_size() {
  xwininfo -id "${1:-$window}" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}'
}

start 36
[ -n "$window" ]; check "window appears titled Rondelay" $? "no such window"
screenshot "$artifacts/window-36pt.png"
read -r width1 height1 < <(client_size)
xdotool windowactivate --sync "$window" >/dev/null 2>&1
xdotool key --clearmodifiers Return
sleep 2.6
screenshot "$artifacts/window-counting.png"
xdotool windowminimize --sync "$window"
sleep 1.2
title=$(xdotool getwindowname "$window")
[[ $title =~ ^R:1\ -\ 00:00:0[2-9]$ ]]; check "minimised running title" $? "title was '$title'"
xdotool windowactivate --sync "$window" >/dev/null 2>&1
sleep 0.3
title=$(xdotool getwindowname "$window")
[ "$title" = Rondelay ]; check "restored title" $? "title was '$title'"
wmctrl -i -c "$window"; ended; check "closing ends the program" $? "still running"

# On a scaled screen the window and Options keep the design's proportions.
# scaled_size NAME WINDOW WIDTH HEIGHT: the window's client is WIDTH x HEIGHT grown by the
# factor, give or take the rounding of a pixel or two.
scaled_size() {
  local w h want_w want_h
  read -r w h < <(client_size "$2")
  want_w=$(awk -v v="$3" -v f="$factor" 'BEGIN{print int(v * f + 0.5)}')
  want_h=$(awk -v v="$4" -v f="$factor" 'BEGIN{print int(v * f + 0.5)}')
  ((w - want_w <= 2 && want_w - w <= 2 && h - want_h <= 2 && want_h - h <= 2))
  check "$1 at scale $factor is ${want_w}x$want_h" $? "${w}x$h, ${3}x$4 unscaled"
}
for factor in 1.5 2; do
  export QT_SCALE_FACTOR=$factor
  start 36
  unset QT_SCALE_FACTOR
  screenshot "$artifacts/window-scale-$factor.png"
  scaled_size window "$window" "$width1" "$height1"
  options=$(open_options)  # a fixed 293 x 372 pixels unscaled
  screenshot "$artifacts/options-scale-$factor.png" "$options"
  scaled_size Options "$options" 293 372
  xdotool key Escape
  sleep 0.3
  wmctrl -i -c "$window"; ended; check "window at scale $factor closes" $? "still running"
done

# Options from the menu with the keyboard: a new interval, a look at the bell chooser, OK.
start 36
options=$(open_options)
[ -n "$options" ]; check "Options opens with Alt+V, O" $? "no Options window"
xdotool key Tab Tab ctrl+a 7  # OK has the focus; two tabs reach the minutes
screenshot "$artifacts/options.png" "$options"
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space  # the first bell row's button
bell=$(timeout 10 xdotool search --sync --onlyvisible --name 'ベル選択' | head -n 1)
[ -n "$bell" ]; check "bell chooser opens from its row" $? "no bell chooser"
screenshot "$artifacts/bell-chooser.png" "$bell"
wmctrl -i -c "$bell"
sleep 0.5
xdotool key Tab Tab space  # past the last bell row to OK
sleep 0.8
! xdotool search --onlyvisible --name 'ｵﾌﾟｼｮﾝ' >/dev/null 2>&1
check "OK closes Options" $? "still open"
screenshot "$artifacts/window-after-options.png"
screenshot "$work/client.png" "$window" client
seen=$(status_text "$work/client.png")
grep -q '7分ごと' <<<"$seen"; check "status line shows the new interval" $? "OCR read: $seen"

# ﾌｧｲﾙ → 終了(&X) from the keyboard.
xdotool windowactivate --sync "$window" >/dev/null 2>&1
xdotool key --clearmodifiers alt+f
sleep 0.3
xdotool key x
ended; check "exit from the menu ends the program" $? "still running"
grep -q '^IntMin=7$' "$conf"; check "exit writes the new interval" $? "$(tr '\n' ' ' <"$conf")"

echo "screenshots in $artifacts"
summary
