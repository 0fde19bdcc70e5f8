#!/usr/bin/env bash
# Announcements on a schedule. Two clocks wait for the same minute boundary:
#   - A, "Every=1" with no quiet hours: at the boundary it opens the chain for
#     that minute, the first recording within 1 s of hh:mm:00;
#   - B, "Every=1" with quiet hours round the current hour, hidden in the
#     tray: nothing at the boundary, yet its hotkey F11 speaks.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin schedule

h=$((10#$(date +%H)))
quiet="$h-$(((h + 2) % 24))"
a=$(hn_case_program schedule/a 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
printf 'Every=1\r\nQuiet=\r\n' >"$a/announce.cfg"
b=$(hn_case_program schedule/b 'Hotkey=1\r\nKey=1\r\nRun=2\r\n')
printf 'Every=1\r\nQuiet=%s\r\n' "$quiet" >"$b/announce.cfg"
pb=$(hn_prefix_new "$ZV_RUN/cases/schedule/prefix-b")
trap 'hn_record_stop; hn_stop_prefix "$CASE_PREFIX"; hn_stop_prefix "$pb"' EXIT

wav="$CASE_OUT/sound.wav"
# A clock that reads its settings up to 3 s after a boundary still speaks
# that minute, before the one this case waits for: start well clear of one
# (a start under qemu has taken 20 s).
while sec=$((10#$(date +%S))); [ "$sec" -ge 30 ] || [ "$sec" -lt 5 ]; do sleep 0.5; done
hn_trace_start "$CASE_PREFIX" "$CASE_OUT/strace-a.log"
hn_trace_start "$pb" "$CASE_OUT/strace-b.log"
hn_record_start "$wav"
hn_wine_start "$CASE_PREFIX" "$a" "$CASE_OUT/wine-a.log" Zvenoks.exe
hn_wine_start "$pb" "$b" "$CASE_OUT/wine-b.log" Zvenoks.exe
hn_wait_settings_read "$CASE_OUT/strace-a.log"
hn_wait_settings_read "$CASE_OUT/strace-b.log"
# From a second after both have read their settings to the boundary after.
since=$(($(date +%s) + 1))
# A start slower still may have crossed a boundary and be speaking it: the
# case looks only from after that chain on.
last=$((since / 60 * 60))
[ $((since - last)) -ge 10 ] || since=$((last + 10))
boundary=$(((since / 60 + 1) * 60))
hn_log "waiting for the boundary at $(date -d "@$boundary" +%T)"
hn_record_mark "$wav" start
while [ "$(date +%s)" -lt $((boundary + 6)) ]; do sleep 0.5; done
hn_screenshot "$CASE_OUT/screen.png"

rc=0
python3 "$here/schedule_check.py" boundary "$CASE_OUT/strace-a.log" "$since" --within 1 --wait 10 --wav "$wav" ||
  rc=1
python3 "$here/schedule_check.py" none "$CASE_OUT/strace-b.log" "$since" "$(date +%s.%N)" || rc=1

# Quiet hours silence the schedule only: B's hotkey still speaks. Wine hands a
# global hotkey on while a window of the same Wine has the focus: B's Notepad.
hn_wine_start "$pb" "$CASE_OUT" "$CASE_OUT/notepad.log" notepad
note=$(hn_wait_window '.*Notepad' 60)
timeout 10 xdotool windowfocus --sync "$note" || hn_die "could not focus Notepad ($note)"
sleep 0.5
hn_record_mark "$wav" f11
xdotool key F11
python3 "$here/hotkey_check.py" spoke "$CASE_OUT/strace-b.log" "$wav" f11 --within 5 || rc=1
exit $rc
