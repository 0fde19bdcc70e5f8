#!/usr/bin/env bash
# "Key=3": Print Screen pressed while another program (Notepad) has the focus
# speaks the time, starting with the hour.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin hotkey_printscreen

prog=$(hn_case_program hotkey_printscreen 'Hotkey=1\r\nKey=3\r\nRun=1\r\n')
wav="$CASE_OUT/sound.wav"

hn_case_start "$prog" "$wav"
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
# The hotkey is registered by the start-up work, which reads the settings.
hn_wait_settings_read "$CASE_OUT/strace.log"
sleep 2

hn_wine_start "$CASE_PREFIX" "$CASE_OUT" "$CASE_OUT/notepad.log" notepad
note=$(hn_wait_window '.*Notepad' 60)
timeout 10 xdotool windowfocus --sync "$note" || hn_die "could not focus Notepad ($note)"
sleep 0.5
[ "$(xdotool getwindowfocus)" = "$note" ] || hn_die "Notepad ($note) lost the focus to $(xdotool getwindowfocus)"

hn_record_mark "$wav" print
xdotool key Print
rc=0
python3 "$here/hotkey_check.py" spoke "$CASE_OUT/strace.log" "$wav" print --within 3 || rc=1
hn_screenshot "$CASE_OUT/screen.png"
exit $rc
