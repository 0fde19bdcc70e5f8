#!/usr/bin/env bash
# A "Key=" value that is no digit: its error box comes before the start mode
# is applied, so "Run=2" is ignored and the clock stays full-screen.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin startup_badkey

prog=$(hn_case_program startup_badkey 'Hotkey=1\r\nKey=x\r\nRun=2\r\n')

source "$here/error_box.bash"

read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
# The win channel names the box text (SetWindowText) if the clipboard cannot.
WINEDEBUG=-all,+win hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/wine.log" Zvenoks.exe
ZV_DIAG_LOG="$CASE_OUT/wine.log"
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null

zv_wait_box "$sw" "$sh"

rc=0
# The box's text is not in X; the +win trace names what was set.
python3 "$here/startup_check.py" texts "$CASE_OUT/wine.log" >"$CASE_OUT/texts.txt"
grep -qxF "'x' is not a valid integer value." "$CASE_OUT/texts.txt" ||
  { echo "error: no box text \"'x' is not a valid integer value.\"; texts set: $(tail -n 3 "$CASE_OUT/texts.txt" | tr '\n' '|')"; rc=1; }

zv_dismiss_box "$sw" "$sh"
# Later ticks read no start mode: the clock must not hide itself now either.
sleep 3
hn_screenshot "$CASE_OUT/after.png"
kill -0 "$ZV_PID" 2>/dev/null || hn_die "the program ended after the error box"
geo=$(hn_wait_maximized Zvenoks 5)
[ "$geo" = "0 0 $sw $sh" ] || { echo "error: the clock is '$geo', not full-screen: Run=2 must not apply after the Key= error"; rc=1; }
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")
drawn=$(hn_drawn_pixels $((hx - 20)) $((hy - 20)) 40 40)
[ "$drawn" -gt 0 ] || { echo "error: no dial around the hub ($hx,$hy)"; rc=1; }
[ $rc -eq 0 ] && echo "ok: error box shown, clock full-screen"
exit $rc
