#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it as a user's system meets it: its name, its
# dependencies (libraries, and what Qt loads with dlopen), and the unpacked program showing its
# window, grouped under the launcher.
# Usage: package_test.sh BUILD_DIR APP_ID
set -uo pipefail
build=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=../checks.sh
. "$(dirname "$0")/../checks.sh"

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1
check "cpack builds a package" $? "$(tail -n 20 "$work/cpack.log")"
deb=$work/out/rondelay_1.0.0_amd64.deb
[ -f "$deb" ]; check "the package is rondelay_1.0.0_amd64.deb" $? "$(ls "$work/out")"
[ -f "$deb" ] || { summary; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
root=$work/root
mkdir "$root"
dpkg-deb -x "$deb" "$root"
check "dpkg-deb unpacks the package" $? ""
# Every library the program links, whatever this release names its package, is a versioned
# dependency (what dpkg-shlibdeps found); Qt 6's and the sound server's among them.
needed=$(objdump -p "$root/usr/bin/rondelay" | awk '$1 == "NEEDED" { print $2 }')
for lib in libQt6Core libQt6Gui libQt6Widgets libpulse.so; do
  grep -q "^$lib" <<<"$needed"; check "the program links $lib" $? "it links: $needed"
done
! grep -q Multimedia <<<"$needed"; check "the program does not link Qt Multimedia" $? "$needed"
for lib in $needed; do
  path=$(ldconfig -p | awk -v lib="$lib" '$1 == lib { print $NF; exit }')
  # Debian 12 registers some libraries under /lib, Debian 13 under /usr/lib.
  pkg=$( { dpkg -S "$path" || dpkg -S "/usr$path" || dpkg -S "${path#/usr}"; } 2>/dev/null |
         head -n 1 | cut -d: -f1)
  grep -qE "(^|, )${pkg//+/\\+} \(>= [^)]+\)" <<<"$depends"
  check "Depends has $pkg, for $lib, with a version" $? "Depends: $depends"
done
# Loaded at run time with dlopen or by name, never seen by dpkg-shlibdeps.
for dep in qt6-qpa-plugins fonts-ipafont-gothic; do
  grep -qE "(^|, )$dep(,|$| )" <<<"$depends"
  check "Depends has $dep" $? "Depends: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
grep -q qt6-translations-l10n <<<"$recommends"
check "Recommends has the Qt translations" $? "Recommends: $recommends"
grep -q qt6-wayland <<<"$recommends"
check "Recommends has the Wayland platform plugin" $? "Recommends: $recommends"

# What it holds is what the install test checks: the package is made from the same install.
out=$(file -b "$root/usr/bin/rondelay")
! grep -q 'not stripped' <<<"$out"; check "the packed program is stripped" $? "$out"

# The unpacked program on its own X server, with settings of its own.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
wmclass=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$id.desktop")
# shellcheck disable=SC2016  # expanded by the inner shell
xvfb-run -a -s '-screen 0 1024x768x24 -nolisten tcp' bash -c '
  "$1" >"$2/rondelay.log" 2>&1 &
  app=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Rondelay\$" | head -n 1)
  [ -n "$window" ] && xprop -id "$window" WM_CLASS >"$2/wmclass"
  kill "$app"
  wait "$app"
  [ -n "$window" ]' _ "$root/usr/bin/rondelay" "$work"
check "the unpacked program shows its window titled Rondelay" $? "$(cat "$work/rondelay.log")"
grep -q "\"$wmclass\"\$" "$work/wmclass" 2>/dev/null
check "the window's class is the launcher's StartupWMClass $wmclass" $? "$(cat "$work/wmclass" 2>/dev/null)"

summary
