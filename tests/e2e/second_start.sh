#!/usr/bin/env bash
# A second start while the clock runs hidden in the tray ("Run=2") opens no
# second clock: it ends by itself, one clock process is left, and that clock
# is back on the screen with its dial drawn.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin second_start

prog=$(hn_case_program second_start 'Hotkey=1\r\nKey=1\r\nRun=2\r\n')
read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')

# Zvenoks.exe processes of this case's prefix (other runs may have their own).
clocks() {
  local pid n=0
  for pid in $(pgrep -f 'Zvenoks\.exe' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$CASE_PREFIX" && n=$((n + 1))
  done
  echo $n
}
viewable() {
  local id
  for id in $(xdotool search --name '^Zvenoks$' 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
  done
  return 1
}

hn_trace_start "$CASE_PREFIX" "$CASE_OUT/strace.log"
hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/first.log" Zvenoks.exe
first=$ZV_PID
ZV_DIAG_LOG="$CASE_OUT/first.log"
timeout "${ZV_WINDOW_TIMEOUT:-120}" xdotool search --sync --name '^Zvenoks$' >/dev/null 2>&1 ||
  hn_die "no window named Zvenoks within ${ZV_WINDOW_TIMEOUT:-120}s"
hn_wait_settings_read "$CASE_OUT/strace.log"
sleep 3
viewable && hn_die "the clock is on the screen although Run=2 starts it in the tray"
n=$(clocks)
[ "$n" -eq 1 ] || hn_die "$n clock processes before the second start, not 1"

hn_log "starting Zvenoks.exe a second time"
hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/second.log" Zvenoks.exe
second=$ZV_PID
rc=0
ended=""
for _ in $(seq 300); do
  kill -0 "$second" 2>/dev/null || { ended=1; break; }
  sleep 0.2
done
if [ -z "$ended" ]; then
  echo "error: the second start was still running after 60s"
  rc=1
else
  wait "$second" && code=0 || code=$?
  [ "$code" -eq 0 ] || { echo "error: the second start ended with code $code"; rc=1; }
fi

shown=""
for _ in $(seq 100); do
  viewable && { shown=1; break; }
  sleep 0.2
done
[ -n "$shown" ] || { echo "error: the running clock did not come back on the screen"; rc=1; }
sleep 2
hn_screenshot "$CASE_OUT/screen.png"
kill -0 "$first" 2>/dev/null || { echo "error: the first clock ended"; rc=1; }
n=$(clocks)
[ "$n" -eq 1 ] || { echo "error: $n clock processes after the second start, not 1"; rc=1; }
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")
drawn=$(hn_drawn_pixels $((hx - 60)) $((hy - 60)) 120 120)
[ "$drawn" -gt 0 ] || { echo "error: nothing drawn around the hub ($hx,$hy): the dial is not shown"; rc=1; }
[ $rc -eq 0 ] && echo "ok: the second start ended and brought the hidden clock back"
exit $rc
