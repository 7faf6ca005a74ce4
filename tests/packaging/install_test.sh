#!/usr/bin/env bash
# Installs the build with prefix /usr into an empty DESTDIR and checks what a desktop finds: the
# binary, the launcher, the hicolor icon and the AppStream metainfo, the last two clean under their
# validators.
# Usage: install_test.sh BUILD_DIR APP_ID
set -uo pipefail
build=$1
id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# shellcheck source=../checks.sh
. "$(dirname "$0")/../checks.sh"

DESTDIR=$root cmake --install "$build" --prefix /usr >"$root.log" 2>&1
check "cmake --install succeeds" $? "$(cat "$root.log")"
rm -f "$root.log"
share=$root/usr/share

[ -x "$root/usr/bin/rondelay" ]; check "the program is usr/bin/rondelay" $? "not installed"
missing=()
for size in 16 24 32 48 64 128 256; do
  [ -f "$share/icons/hicolor/${size}x$size/apps/$id.png" ] || missing+=("${size}x$size")
done
[ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || missing+=(scalable)
[ ${#missing[@]} = 0 ]; check "the icon is in the hicolor theme at every size" $? "missing: ${missing[*]}"

desktop=$share/applications/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1)
[ $? = 0 ] && ! grep -qE 'error|warning' <<<"$out"
check "the launcher passes desktop-file-validate" $? "$out"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$id" ]; check "the launcher's icon is the installed icon" $? "Icon=$icon"
exec=$(sed -n 's/^Exec=//p' "$desktop")
[ -n "$exec" ] && [ -x "$root/usr/bin/${exec%% *}" ]; check "the launcher starts the installed program" $? "Exec=$exec"

metainfo=$share/metainfo/$id.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1)
[ $? = 0 ] && ! grep -qE '^[EW]:' <<<"$out"
check "the metainfo passes appstreamcli validate" $? "$out"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
check "the metainfo launches the installed launcher" $? "no launchable $id.desktop"

summary
