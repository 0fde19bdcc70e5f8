#!/usr/bin/env bash
# The hotkey F11 while another program (Notepad) has the focus:
#   - pressed twice within a second: the time, cut by today's date, whole;
#   - held down for 3 s (Wine repeats the hotkey meanwhile): one chain of the
#     time, no date and no second start.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin hotkey_double

prog=$(hn_case_program hotkey_double 'Hotkey=1\r\nKey=1\r\nRun=1\r\n')
wav="$CASE_OUT/sound.wav"

hn_case_start "$prog" "$wav"
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
hn_wait_settings_read "$CASE_OUT/strace.log"
sleep 2

# Wine hands a global hotkey on while a window of the same Wine has the focus.
hn_wine_start "$CASE_PREFIX" "$CASE_OUT" "$CASE_OUT/notepad.log" notepad
note=$(hn_wait_window '.*Notepad' 60)
timeout 10 xdotool windowfocus --sync "$note" || hn_die "could not focus Notepad ($note)"
sleep 0.5

rc=0
hn_record_mark "$wav" double
xdotool key F11
sleep 0.4
xdotool key F11
python3 "$here/hotkey_check.py" date "$CASE_OUT/strace.log" "$wav" double --within 10 || rc=1
hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 >/dev/null 2>&1 || true
sleep 1.5

hn_record_mark "$wav" held
xdotool keydown F11
sleep 3
xdotool keyup F11
python3 "$here/hotkey_check.py" once "$CASE_OUT/strace.log" "$wav" held --for 6 || rc=1
hn_screenshot "$CASE_OUT/screen.png"
exit $rc
