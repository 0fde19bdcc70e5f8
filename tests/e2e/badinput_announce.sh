#!/usr/bin/env bash
# A bad announce.cfg ("Every=7", "Quiet=25-3", "Volume=x") gives one error
# box, the clock runs on and speaks, and the file is left as it was.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
source "$here/error_box.bash"
hn_case_begin badinput_announce

prog=$(hn_case_program badinput_announce 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
printf 'Every=7\r\nQuiet=25-3\r\nVolume=x\r\nChime=1\r\n' >"$prog/announce.cfg"
before=$(sha256sum "$prog/announce.cfg")
read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')

hn_trace_start "$CASE_PREFIX" "$CASE_OUT/strace.log"
# The +win channel logs every window text the program sets: the box names each line.
WINEDEBUG=-all,+win hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/wine.log" Zvenoks.exe
ZV_DIAG_LOG="$CASE_OUT/wine.log"
zv_wait_box "$sw" "$sh"
zv_dismiss_box "$sw" "$sh"
rc=0
sleep 3
if [ -n "$(zv_box "$sw" "$sh")" ]; then echo "error: a second box"; rc=1; fi
kill -0 "$ZV_PID" 2>/dev/null || { echo "error: the program ended"; rc=1; }
python3 "$here/startup_check.py" texts "$CASE_OUT/wine.log" >"$CASE_OUT/texts.txt"
# Wine's trace cuts a long text short: only the box's heading, which names
# the file, gets through (the unit tests read the lines at fault).
grep -q 'В файле announce.cfg есть ошибки' "$CASE_OUT/texts.txt" ||
  { echo "error: the box does not name announce.cfg"; rc=1; }
[ "$(sha256sum "$prog/announce.cfg")" = "$before" ] || { echo "error: announce.cfg was changed"; rc=1; }
geo=$(hn_wait_maximized Zvenoks 15)
# shellcheck disable=SC2086
read -r bx by bw bh < <(hn_caption_box $geo)
hn_wait_drawn "$bx" "$by" "$bw" "$bh" "the clock never showed its controls after the box"
[ $rc -eq 0 ] && echo "ok: one box, the clock runs, announce.cfg as it was"
exit $rc
