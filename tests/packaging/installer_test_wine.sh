#!/usr/bin/env bash
# Installs the Windows installer silently under Wine, as an administrator deploying it would
# (/S), starts the installed program and closes it from its menu, then uninstalls it (/S):
# the program, its Start-menu entry with the icon and its uninstaller are there, and after the
# uninstaller they are gone while the user's settings stay.
# Usage: installer_test_wine.sh PATH/TO/rondelay-VERSION-win64.exe
set -uo pipefail
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
installer=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
# shellcheck source=../checks.sh
. "$here/../checks.sh"
# shellcheck source=../ui/main/displays.sh
. "$here/../ui/main/displays.sh"
wine_session
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i </dev/null >/dev/null 2>&1
programs="$WINEPREFIX/drive_c/Program Files/Rondelay"
menu_entry=$(find "$WINEPREFIX/drive_c" -ipath '*Start Menu/Programs' -type d 2>/dev/null | head -n 1)

wine "$installer" /S >/dev/null 2>&1
[ -x "$programs/rondelay.exe" ]; check "the installer puts rondelay.exe in Program Files" $? "$(ls "$programs" 2>&1)"
[ -e "$programs/platforms/qwindows.dll" ]; check "and Qt's Windows platform beside it" $? "no platforms/qwindows.dll"
shortcut=$(find "$WINEPREFIX/drive_c" -iname 'Rondelay.lnk' 2>/dev/null | head -n 1)
[ -n "$shortcut" ]; check "a Start-menu entry" $? "no Rondelay.lnk under $menu_entry"
wrestool_icon=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Rondelay Setup' /v DisplayIcon 2>/dev/null | tr -d '\r' | grep -c rondelay.exe)
[ "$wrestool_icon" = 1 ]; check "Apps and Features shows it with the program's icon" $? "no DisplayIcon"

wine "$programs/rondelay.exe" >"$work/rondelay.log" 2>&1 &
app=$!
pids+=($app)
window=$(find_window 30 '^Rondelay$')
[ -n "$window" ]; check "the installed program shows its window" $? "no window"
# A window just shown may not take keys yet: the menu is asked again while the program runs.
for _ in 1 2 3; do
  sleep 1
  xdotool windowactivate --sync "$window" >/dev/null 2>&1
  xdotool key --clearmodifiers alt+f
  sleep 0.4
  xdotool key x
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break 2; sleep 0.1; done
done
settings=$(wine reg query 'HKCU\Software\Rondelay\Rondelay\Timer' 2>/dev/null | grep -c REG_SZ)
[ "$settings" = 17 ]; check "it saves its settings at exit" $? "$settings values"

wine "$programs/Uninstall.exe" /S >/dev/null 2>&1
# The uninstaller runs a copy of itself and returns at once; the copy removes the program
# before the Start-menu entry. Wine's server ends once the last of its programs has.
timeout 60 wineserver -w
[ ! -e "$programs/rondelay.exe" ]; check "the uninstaller removes the program" $? "still there"
[ -z "$(find "$WINEPREFIX/drive_c" -iname 'Rondelay.lnk' 2>/dev/null)" ]
check "and its Start-menu entry" $? "still there"
settings=$(wine reg query 'HKCU\Software\Rondelay\Rondelay\Timer' 2>/dev/null | grep -c REG_SZ)
[ "$settings" = 17 ]; check "the user's settings stay" $? "$settings values left"
summary
