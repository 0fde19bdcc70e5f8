#!/usr/bin/env bash
# "Run=2": the clock starts hidden in the tray, and F11 pressed while another
# program (Notepad) has the focus still speaks the time.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin hotkey_tray

prog=$(hn_case_program hotkey_tray 'Hotkey=1\r\nKey=1\r\nRun=2\r\n')
wav="$CASE_OUT/sound.wav"

hn_case_start "$prog" "$wav"
# Hidden at the first tick: any window of the name, mapped or not, will do.
timeout "${ZV_WINDOW_TIMEOUT:-120}" xdotool search --sync --name '^Zvenoks$' >/dev/null 2>&1 ||
  hn_die "no window named Zvenoks within ${ZV_WINDOW_TIMEOUT:-120}s"
# The hotkey is registered by the start-up work, which reads the settings.
hn_wait_settings_read "$CASE_OUT/strace.log"
sleep 3
kill -0 "$ZV_PID" 2>/dev/null || hn_die "the program ended instead of staying in the tray"
for id in $(xdotool search --onlyvisible --name '^Zvenoks$' 2>/dev/null); do
  hn_die "window $id named Zvenoks is viewable: the clock did not start hidden"
done

hn_wine_start "$CASE_PREFIX" "$CASE_OUT" "$CASE_OUT/notepad.log" notepad
note=$(hn_wait_window '.*Notepad' 60)
timeout 10 xdotool windowfocus --sync "$note" || hn_die "could not focus Notepad ($note)"
sleep 0.5
[ "$(xdotool getwindowfocus)" = "$note" ] || hn_die "Notepad ($note) lost the focus to $(xdotool getwindowfocus)"

hn_record_mark "$wav" f11
xdotool key F11
rc=0
python3 "$here/hotkey_check.py" spoke "$CASE_OUT/strace.log" "$wav" f11 --within 3 || rc=1
hn_screenshot "$CASE_OUT/screen.png"
exit $rc
