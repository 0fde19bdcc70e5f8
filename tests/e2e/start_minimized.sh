#!/usr/bin/env bash
# Started minimized (a shortcut set to run minimized: `start /min`), the
# clock shows nothing until it is brought back; a second start brings it
# back covering the screen, its dial centred, not off in the top-left corner.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin start_minimized

prog=$(hn_case_program start_minimized 'Hotkey=1\r\nKey=1\r\nRun=1\r\n')
read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")

hn_trace_start "$CASE_PREFIX" "$CASE_OUT/strace.log"
# start /wait keeps the starter running as long as the clock, so the case
# can tell when the clock ends.
hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/first.log" start /wait /min Zvenoks.exe
first=$ZV_PID
ZV_DIAG_LOG="$CASE_OUT/first.log"
timeout "${ZV_WINDOW_TIMEOUT:-120}" xdotool search --sync --name '^Zvenoks$' >/dev/null 2>&1 ||
  hn_die "no window named Zvenoks within ${ZV_WINDOW_TIMEOUT:-120}s"
# The first tick (start-up work, the layout) has run once config.cfg is read.
hn_wait_settings_read "$CASE_OUT/strace.log"
sleep 2
hn_screenshot "$CASE_OUT/minimized.png"
rc=0
drawn=$(hn_drawn_pixels $((hx - 60)) $((hy - 60)) 120 120)
[ "$drawn" -eq 0 ] || { echo "error: the dial is on the screen although the clock started minimized"; rc=1; }

hn_log "starting Zvenoks.exe a second time"
hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/second.log" Zvenoks.exe
second=$ZV_PID
for _ in $(seq 300); do
  kill -0 "$second" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$second" 2>/dev/null && { echo "error: the second start was still running after 60s"; rc=1; }

geo=$(hn_wait_maximized Zvenoks 20)
echo "clock window: $geo"
[ "$geo" = "0 0 $sw $sh" ] || { echo "error: the clock is $geo, not over the whole ${sw}x$sh screen"; rc=1; }
for _ in $(seq 50); do
  [ "$(hn_drawn_pixels $((hx - 60)) $((hy - 60)) 120 120)" -gt 0 ] && break
  sleep 0.2
done
sleep 1.5
hn_screenshot "$CASE_OUT/shown.png"
kill -0 "$first" 2>/dev/null || { echo "error: the clock ended"; rc=1; }

# Centred: drawn round the hub and on both sides of it. A face laid out for
# the minimized window sits in the top-left corner, most of it off the
# screen (Wine's own tray window is there too, so the corner itself tells
# nothing).
drawn=$(hn_drawn_pixels $((hx - 60)) $((hy - 60)) 120 120)
[ "$drawn" -gt 0 ] || { echo "error: nothing drawn round the hub ($hx,$hy): the dial is not centred"; rc=1; }
left=$(hn_drawn_pixels $((hx - 180)) $((hy - 30)) 60 60)
right=$(hn_drawn_pixels $((hx + 120)) $((hy - 30)) 60 60)
echo "drawn: hub $drawn, left of the hub $left, right of it $right"
[ "$left" -gt 0 ] && [ "$right" -gt 0 ] || { echo "error: the dial is not whole on both sides of the hub"; rc=1; }
[ $rc -eq 0 ] && echo "ok: started minimized, brought back centred over the screen"
exit $rc
