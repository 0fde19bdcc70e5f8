#!/usr/bin/env bash
# The exe saved as "Zvenoks (1).exe" (a browser's second download), in a
# folder with the recordings and config.cfg but no "Zvenoks.exe": started
# from its own folder and then from an empty folder elsewhere, it shows no
# file dialog, writes no dir.cfg anywhere and speaks the time from its own
# folder's recordings.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin renamed_exe

exe="Zvenoks (1).exe"
prog=$(hn_case_program renamed_exe 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
mv "$prog/Zvenoks.exe" "$prog/$exe"
work="$ZV_RUN/cases/renamed_exe/work"
rm -rf "$work"
mkdir -p "$work"
before=$(cd "$prog" && ls | LC_ALL=C sort | tr '\n' '/')
rc=0

# One start from DIR with the exe given as ARG; NAME names the artefacts.
run_from() {
  local name=$1 dir=$2 arg=$3 out="$CASE_OUT/$1" geo bx by bw bh
  mkdir -p "$out"
  hn_trace_start "$CASE_PREFIX" "$out/strace.log"
  hn_record_start "$out/announcement.wav"
  hn_wine_start "$CASE_PREFIX" "$dir" "$out/wine.log" "$arg"
  ZV_DIAG_LOG="$out/wine.log"
  # The dialog would come in the first tick, before the clock is drawn.
  if ! geo=$(hn_wait_maximized Zvenoks 120); then
    echo "error: $name: no clock window"
    rc=1
  fi
  # shellcheck disable=SC2086
  read -r bx by bw bh < <(hn_caption_box $geo)
  local drawn=0
  for _ in $(seq 75); do
    [ "$(hn_drawn_pixels "$bx" "$by" "$bw" "$bh")" -gt 0 ] && { drawn=1; break; }
    hn_locate_dialog_shown && break
    sleep 0.2
  done
  if hn_locate_dialog_shown; then
    hn_screenshot "$out/dialog.png"
    echo "error: $name: the file dialog was shown"
    rc=1
  elif [ $drawn -eq 0 ]; then
    echo "error: $name: the clock never drew its controls"
    rc=1
  else
    hn_click $((bx + bw / 2)) $((by + bh / 2))
    hn_wait_chain_end "$out/strace.log" "$out/announcement.wav" "${ZV_CHAIN_TIMEOUT:-60}" ||
      { echo "error: $name: the time was not spoken to its end"; rc=1; }
    hn_screenshot "$out/clock.png"
  fi
  hn_record_stop
  hn_stop_prefix "$CASE_PREFIX"
  unset ZV_DIAG_LOG
  python3 "$here/startup_check.py" wavs "$out/strace.log" "$prog" | sed "s/^/$name: /" ||
    { echo "error: $name: the recordings did not come from $prog"; rc=1; }
  grep -q "dosdevices/z:$prog/config.cfg\"" "$out/strace.log" ||
    { echo "error: $name: config.cfg was not opened from $prog"; rc=1; }
  [ "$(cd "$prog" && ls | LC_ALL=C sort | tr '\n' '/')" = "$before" ] ||
    { echo "error: $name: the program folder changed: $(ls "$prog" | tr '\n' ' ')"; rc=1; }
  [ -z "$(ls -A "$work")" ] ||
    { echo "error: $name: files appeared in $work: $(ls -A "$work" | tr '\n' ' ')"; rc=1; }
}

run_from own "$prog" "$exe"
run_from elsewhere "$work" "$(winepath_z "$prog")\\$exe"
[ $rc -eq 0 ] && echo "ok: \"$exe\" runs from its own folder and from elsewhere, no dialog, no dir.cfg"
exit $rc
