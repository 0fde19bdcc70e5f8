#!/usr/bin/env bash
# Announcements every minute while a program records from the microphone, as
# Windows 10 notes it in the registry: the boundary passes in silence; once
# the note says the microphone is free, the next boundary speaks.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin schedule_mic

prog=$(hn_case_program schedule_mic 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
printf 'Every=1\r\nQuiet=\r\n' >"$prog/announce.cfg"
wav="$CASE_OUT/sound.wav"

# A call in progress (started, not stopped), then ended (stopped too).
mic_reg() {
  cat >"$CASE_OUT/mic.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\microphone\\NonPackaged\\C:#Program Files#Call#call.exe]
"LastUsedTimeStart"=hex(b):00,10,20,30,40,50,d9,01
"LastUsedTimeStop"=hex(b):$1
REG
  hn_wine_run "$CASE_PREFIX" "$CASE_OUT" 120 regedit /S "$(winepath_z "$CASE_OUT/mic.reg")" ||
    hn_die "regedit could not write the microphone's note"
}

# Start well clear of a boundary, as the schedule case does.
while sec=$((10#$(date +%S))); [ "$sec" -ge 30 ] || [ "$sec" -lt 5 ]; do sleep 0.5; done
hn_trace_start "$CASE_PREFIX" "$CASE_OUT/strace.log"
mic_reg 00,00,00,00,00,00,00,00
hn_record_start "$wav"
hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/wine.log" Zvenoks.exe
ZV_DIAG_LOG="$CASE_OUT/wine.log"
hn_wait_settings_read "$CASE_OUT/strace.log"
hn_record_mark "$wav" start
since=$(($(date +%s) + 1))
boundary=$(((since / 60 + 1) * 60))
hn_log "the microphone busy; waiting for the boundary at $(date -d "@$boundary" +%T)"
while [ "$(date +%s)" -lt $((boundary + 6)) ]; do sleep 0.5; done
rc=0
python3 "$here/schedule_check.py" none "$CASE_OUT/strace.log" "$since" "$(date +%s.%N)" || rc=1

mic_reg 00,10,20,30,40,60,d9,01
since=$(($(date +%s) + 1))
boundary=$(((since / 60 + 1) * 60))
hn_log "the microphone free; waiting for the boundary at $(date -d "@$boundary" +%T)"
while [ "$(date +%s)" -lt $((boundary + 6)) ]; do sleep 0.5; done
python3 "$here/schedule_check.py" boundary "$CASE_OUT/strace.log" "$since" --within 1 --wait 10 --wav "$wav" ||
  rc=1
exit $rc
