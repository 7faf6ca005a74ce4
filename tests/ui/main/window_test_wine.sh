#!/usr/bin/env bash
# Starts the Windows build of the program, rondelay.exe with the DLLs beside it, under Wine on
# Xvfb with openbox, and checks what a person sees and what it keeps in the registry: the window
# titled "Rondelay" drawing its Japanese status line (read back with OCR), Enter starting the
# timer and the minimised title counting, Options from the keyboard refusing 60 minutes, the
# exit menu writing the settings into HKEY_CURRENT_USER\Software\Rondelay\Rondelay as texts,
# a start from what was saved, delete-and-exit, and the window closed from outside (taskkill,
# without /F) or by the session's end saving as the menu does.
# Usage: window_test_wine.sh FOLDER_WITH_RONDELAY_EXE ARTIFACT_DIR
# Wine's prefix is $WINEPREFIX, a new one unless told.
set -uo pipefail
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
folder=$(realpath "$1")
artifacts=${2:-artifacts/windows}
mkdir -p "$artifacts"
here=$(dirname "$(realpath "$0")")
# shellcheck source=../../checks.sh
. "$here/../../checks.sh"
# shellcheck source=displays.sh
. "$here/displays.sh"
wine_session
export WINEPREFIX=${WINEPREFIX:-$work/wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -e "$WINEPREFIX/system.reg" ] || wineboot -i </dev/null >/dev/null 2>&1
key='HKCU\Software\Rondelay\Rondelay'

# start: starts the program and waits for its window; `app` is Wine's process, `window` the
# window's id, `shown_ms` the time it took.
start() {
  local began
  began=$(date +%s%N)
  wine "$folder/rondelay.exe" >"$work/rondelay.log" 2>&1 &
  app=$!
  pids+=($app)
  window=$(find_window 30 '^Rondelay$')
  shown_ms=$((($(date +%s%N) - began) / 1000000))
}
ended() {  # waits up to 15 s for the program to end
  for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
menu() {  # menu KEY...: keys given to the main window, one by one
  xdotool windowactivate --sync "$window" >/dev/null 2>&1
  local k
  for k in "$@"; do xdotool key --clearmodifiers "$k"; sleep 0.4; done
}
# A client screenshot of the window, and what OCR reads in its lower part, the status line.
screenshot() {  # screenshot FILE [WINDOW]
  sleep 0.5
  import -window "${2:-$window}" "$1" 2>/dev/null
}
status_text() {
  convert "$1" -gravity south -crop 100%x35%+0+0 +repage -scale 300% -colorspace Gray "$work/ocr.png"
  tesseract "$work/ocr.png" - -l jpn --psm 6 2>/dev/null
}
values() {  # values SECTION: the section's values as reg prints them, one a line
  wine reg query "$key\\$1" 2>/dev/null | tr -d '\r' | awk 'NF >= 2 && $2 ~ /^REG_/'
}

# The settings a user made, as the program keeps them: texts in the registry.
wine reg add "$key\\Timer" /v IntFlag /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add "$key\\Timer" /v IntMin /t REG_SZ /d 5 /f >/dev/null 2>&1
wine reg add "$key\\Timer" /v FinFlag /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add "$key\\Timer" /v FinMin /t REG_SZ /d 30 /f >/dev/null 2>&1
start
[ -n "$window" ]; check "window appears titled Rondelay (after $shown_ms ms)" $? "no such window"
screenshot "$artifacts/window.png"
seen=$(status_text "$artifacts/window.png")
grep -q 'ごとに' <<<"$seen" && grep -q '停止' <<<"$seen"
check "status line drawn in Japanese from the registry's settings" $? "OCR read: $seen"

menu Return
sleep 2.6
xdotool windowminimize "$window"
sleep 1.2
title=$(xdotool getwindowname "$window")
[[ $title =~ ^R:1\ -\ 00:00:0[2-9]$ ]]; check "Enter starts it and the minimised title counts" $? "title was '$title'"
xdotool windowactivate --sync "$window" >/dev/null 2>&1
sleep 0.5

# Options from the keyboard: 60 minutes is refused with the message, 7 is taken.
menu alt+v o
options=$(find_window 10 'ｵﾌﾟｼｮﾝ')
[ -n "$options" ]; check "Options opens with Alt+V, O" $? "no Options window"
# OK has the focus: two tabs reach the minutes, and two back the OK button.
xdotool key Tab Tab ctrl+a 6 0 shift+Tab shift+Tab Return
sleep 1
message=$(xdotool search --onlyvisible --name '^Rondelay$' | grep -v "^$window\$" | head -n 1)
[ -n "$message" ]; check "60 minutes gives the message box" $? "no message box"
screenshot "$artifacts/message.png" "$message"
xdotool key Return
sleep 0.5
xdotool windowactivate --sync "$options" >/dev/null 2>&1
xdotool key Tab Tab ctrl+a 7 shift+Tab shift+Tab Return
sleep 1
! xdotool search --onlyvisible --name 'ｵﾌﾟｼｮﾝ' >/dev/null 2>&1
check "OK takes 7 minutes and closes Options" $? "still open"

menu alt+f x
ended; check "exit from the menu ends the program" $? "still running"
timer=$(values Timer)
font=$(values Font)
[ "$(wc -l <<<"$timer")" = 17 ] && [ "$(wc -l <<<"$font")" = 4 ]
check "exit writes 17 values under Timer and 4 under Font" $? "$(tr '\n' ';' <<<"$timer$font")"
! grep -qv 'REG_SZ' <<<"$timer$font"; check "every value is a REG_SZ text" $? "$timer$font"
grep -Eq '^ *IntMin +REG_SZ +7$' <<<"$timer"; check "the new interval is saved" $? "$timer"

start
screenshot "$work/again.png"
seen=$(status_text "$work/again.png")
grep -Eq '7.?ごと' <<<"$seen"; check "the next start shows what was saved" $? "OCR read: $seen"
# Alt+F, then up to "レジストリを削除して終了": round to the last item, Exit, and past a separator.
menu alt+f Up Up Return
ended; check "delete-and-exit ends the program" $? "still running"
[ -z "$(values Timer)$(values Font)" ]; check "delete-and-exit removes both keys" $? "$(values Timer)"

start
wine taskkill /im rondelay.exe >/dev/null 2>&1
ended; check "taskkill (without /F) closes the window" $? "still running"
[ "$(values Timer | wc -l)" = 17 ]; check "closed from outside, it saves" $? "$(values Timer)"

wine reg delete "$key" /f >/dev/null 2>&1
start
wineboot --end-session >/dev/null 2>&1
sleep 2
[ "$(values Timer | wc -l)" = 17 ]; check "the session's end saves" $? "nothing saved"

echo "screenshots in $artifacts"
summary
