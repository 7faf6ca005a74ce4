#!/usr/bin/env bash
# The settings store under faults, on the real program (offscreen, closed with SIGTERM, which
# saves): a read-only folder and a full file system at exit leave the old file byte for byte
# and say why on one line; a save loop killed in the middle of a save leaves one whole file.
# Usage: store_faults_test.sh RONDELAY STORE_SAVE_LOOP
# STORE_KILL_TRIES sets how often the save loop is killed (200 unless told).
set -uo pipefail
program=$1
save_loop=$2
tries=${STORE_KILL_TRIES:-200}
work=$(mktemp -d)
chmod 755 "$work"  # the read-only case runs as another user, who must reach its folder
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# shellcheck source=../checks.sh
. "$(dirname "$0")/../checks.sh"

# run_and_close HOME [PREFIX...]: starts the program (behind PREFIX, e.g. another user) with its
# settings under HOME, sends SIGTERM once it handles it and waits for the exit. Leaves standard
# error in HOME/stderr and the milliseconds from the signal to the exit in HOME/exit_ms.
run_and_close() {
  local home=$1 pid mask start
  shift
  env XDG_CONFIG_HOME="$home" XDG_RUNTIME_DIR="$home/runtime" "$@" "$program" \
    >/dev/null 2>"$home/stderr.all" &
  pid=$!
  for _ in $(seq 100); do
    mask=$(awk '/^SigCgt/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$mask" ] && (((16#$mask >> 14) & 1)) && break  # bit 14 is SIGTERM
    sleep 0.1
  done
  start=$(date +%s%N)
  kill -TERM "$pid"
  wait "$pid"
  # The offscreen platform's own remark about window hints is no message of the program's.
  grep -v "does not support propagateSizeHints" "$home/stderr.all" >"$home/stderr"
  echo $((($(date +%s%N) - start) / 1000000)) >"$home/exit_ms"
}
export -f run_and_close
export program

# new_home NAME: a settings folder holding an old store that a save would change.
new_home() {
  local home=$work/$1
  mkdir -p "$home/Rondelay" "$home/runtime"
  chmod 700 "$home/runtime"
  printf '# kept by hand\n[Timer]\nIntMin=7\n' >"$home/Rondelay/Rondelay.conf"
  cp "$home/Rondelay/Rondelay.conf" "$home/old.conf"
  echo "$home"
}

# check_failed_save NAME HOME REASON: the old file unchanged, an exit within a second, and one
# line on standard error naming the file and REASON (a pattern: Qt may say it in Japanese).
check_failed_save() {
  local name=$1 home=$2 reason=$3 conf=$2/Rondelay/Rondelay.conf
  cmp -s "$conf" "$home/old.conf"
  check "$name: the old store is kept byte for byte" $? "$(head -c 200 "$conf")"
  [ "$(cat "$home/exit_ms")" -lt 1000 ]
  check "$name: the program exits at once" $? "$(cat "$home/exit_ms") ms"
  [ "$(wc -l <"$home/stderr")" = 1 ] && grep -qF "$conf" "$home/stderr" &&
    grep -qE "$reason" "$home/stderr"
  check "$name: one line on standard error names the file and says '$reason'" $? \
    "$(cat "$home/stderr")"
}

# A read-only folder. root writes anyway, so as root the program runs as nobody.
home=$(new_home read-only)
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody:nogroup "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 555 "$home/Rondelay"
run_and_close "$home" "${as_user[@]}"
check_failed_save "read-only folder" "$home" "Permission denied|許可されていません"

# A full file system: a small tmpfs of its own, filled up, where root may unshare its mounts;
# elsewhere left out. (A file size limit is no stand-in: under one, Qt writes the store up to
# the limit and renames the cut file over the old one.)
home=$(new_home full)
if [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
  unshare -m bash -c '
    home=$1
    cp -a "$home/Rondelay" "$home/Rondelay.orig"
    mount -t tmpfs -o size=64k tmpfs "$home/Rondelay" || exit 3
    cp -a "$home/Rondelay.orig/." "$home/Rondelay/"
    dd if=/dev/zero of="$home/Rondelay/filler" bs=1k count=1000 2>/dev/null
    run_and_close "$home"
    cp "$home/Rondelay/Rondelay.conf" "$home/after.conf"' _ "$home"
  mounted=$?
fi
if [ "${mounted:-1}" = 0 ]; then
  cp "$home/after.conf" "$home/Rondelay/Rondelay.conf"
  check_failed_save "full file system" "$home" "No space left on device|デバイスに空き容量がありません"
else
  echo "skip full file system: no tmpfs can be mounted here"
fi

# SIGKILL in the middle of a save: always the first or the second store, whole.
home=$work/killed
conf=$home/Rondelay/Rondelay.conf
export XDG_CONFIG_HOME=$home
"$save_loop" once second && cp "$conf" "$work/second.conf"
"$save_loop" once first && cp "$conf" "$work/first.conf"
first=0 second=0 broken=0
for n in $(seq "$tries"); do
  # One to eight saves in, in the middle of the next save.
  coproc loop { exec "$save_loop" loop; }
  pid=$loop_PID saved=${loop[0]}
  for ((saves = RANDOM % 8 + 1; saves > 0; saves--)); do read -r -u "$saved" _ || break; done
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null
  # A lock file cut short by the kill holds the next writer for Qt's stale-lock time, 30 s.
  rm -f "$conf.lock"
  if cmp -s "$conf" "$work/first.conf"; then
    first=$((first + 1))
  elif cmp -s "$conf" "$work/second.conf"; then
    second=$((second + 1))
  else
    broken=$((broken + 1))
    cp "$conf" "$work/broken-$n.conf"
  fi
done
unset XDG_CONFIG_HOME
echo "     $tries kills: $first left the first store, $second the second, $broken neither"
[ "$broken" = 0 ]
check "a save loop killed $tries times always leaves a whole store" $? "$broken broken"
[ "$first" -gt 0 ] && [ "$second" -gt 0 ]
check "the kills fell on both records, so they came between and during saves" $? \
  "first $first, second $second"

summary
