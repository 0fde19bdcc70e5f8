#!/usr/bin/env bash
# "Run=2": the first tick shows the clock and hides it again, leaving the
# program running in the tray with no window on the screen.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin startup_tray

prog=$(hn_case_program startup_tray 'Hotkey=1\r\nKey=1\r\nRun=2\r\n')

read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
hn_case_start "$prog"

# The clock may be hidden before a visible search sees it: any window of the
# name, mapped or not, tells that the program has made its windows.
timeout "${ZV_WINDOW_TIMEOUT:-120}" xdotool search --sync --name '^Zvenoks$' >/dev/null 2>&1 ||
  hn_die "no window named Zvenoks within ${ZV_WINDOW_TIMEOUT:-120}s"
# The start-up work reads the settings in the first tick.
hn_wait_settings_read "$CASE_OUT/strace.log"
sleep 3

rc=0
hn_screenshot "$CASE_OUT/screen.png"
: >"$CASE_OUT/windows.txt"
for id in $(xdotool search --name '^Zvenoks$' 2>/dev/null); do
  state=$(xwininfo -id "$id" | awk -F': ' '/Map State/{print $2}')
  echo "$id $(hn_window_geometry "$id") $state" >>"$CASE_OUT/windows.txt"
done
cat "$CASE_OUT/windows.txt"
if awk '$6 == "IsViewable" {bad = 1} END {exit !bad}' "$CASE_OUT/windows.txt"; then
  echo "error: a window named Zvenoks is still viewable 3s after the first tick"
  rc=1
fi
kill -0 "$ZV_PID" 2>/dev/null || { echo "error: the program ended instead of staying in the tray"; rc=1; }
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")
drawn=$(hn_drawn_pixels $((hx - 60)) $((hy - 60)) 120 120)
[ "$drawn" -eq 0 ] || { echo "error: $drawn drawn pixels around the hub ($hx,$hy): the dial is on the screen"; rc=1; }
[ $rc -eq 0 ] && echo "ok: started hidden, still running"
exit $rc
