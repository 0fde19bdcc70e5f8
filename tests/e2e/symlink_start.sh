#!/usr/bin/env bash
# Started through a symbolic link, as winget's command alias starts it
# (…\WinGet\Links\zvenoks.exe leading to the package's exe), from an empty
# working folder: the program folder is the one the link leads to. No file
# dialog, config.cfg and the recordings come from there, and neither the
# link's folder nor the working folder gets a file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin symlink_start

prog=$(hn_case_program symlink_start 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
links="$ZV_RUN/cases/symlink_start/Links"
work="$ZV_RUN/cases/symlink_start/work"
rm -rf "$links" "$work"
mkdir -p "$links" "$work"
ln -s "$prog/Zvenoks.exe" "$links/zvenoks.exe"
before=$(cd "$prog" && ls | LC_ALL=C sort | tr '\n' '/')
out="$CASE_OUT"
rc=0

hn_trace_start "$CASE_PREFIX" "$out/strace.log"
hn_record_start "$out/announcement.wav"
hn_wine_start "$CASE_PREFIX" "$work" "$out/wine.log" "$(winepath_z "$links")\\zvenoks.exe"
ZV_DIAG_LOG="$out/wine.log"
geo=$(hn_wait_maximized Zvenoks 120) || hn_die "no clock window"
# shellcheck disable=SC2086
read -r bx by bw bh < <(hn_caption_box $geo)
drawn=0
for _ in $(seq 75); do
  [ "$(hn_drawn_pixels "$bx" "$by" "$bw" "$bh")" -gt 0 ] && { drawn=1; break; }
  hn_locate_dialog_shown && break
  sleep 0.2
done
if hn_locate_dialog_shown; then
  hn_screenshot "$out/dialog.png"
  echo "error: the file dialog was shown"
  rc=1
elif [ $drawn -eq 0 ]; then
  hn_screenshot "$out/undrawn.png"
  echo "error: the clock never drew its controls"
  rc=1
else
  hn_click $((bx + bw / 2)) $((by + bh / 2))
  hn_wait_chain_end "$out/strace.log" "$out/announcement.wav" "${ZV_CHAIN_TIMEOUT:-60}" ||
    { echo "error: the time was not spoken to its end"; rc=1; }
  hn_screenshot "$out/clock.png"
fi
hn_record_stop
hn_stop_prefix "$CASE_PREFIX"
unset ZV_DIAG_LOG
python3 "$here/startup_check.py" wavs "$out/strace.log" "$prog" ||
  { echo "error: the recordings did not come from $prog"; rc=1; }
grep -q "dosdevices/z:$prog/config.cfg\"" "$out/strace.log" ||
  { echo "error: config.cfg was not opened from $prog"; rc=1; }
[ "$(cd "$prog" && ls | LC_ALL=C sort | tr '\n' '/')" = "$before" ] ||
  { echo "error: the program folder changed: $(ls "$prog" | tr '\n' ' ')"; rc=1; }
[ "$(ls -A "$links")" = zvenoks.exe ] ||
  { echo "error: files appeared in the link's folder: $(ls -A "$links" | tr '\n' ' ')"; rc=1; }
[ -z "$(ls -A "$work")" ] ||
  { echo "error: files appeared in $work: $(ls -A "$work" | tr '\n' ' ')"; rc=1; }
[ $rc -eq 0 ] && echo "ok: started through a link from an empty folder, it runs from the folder the link leads to"
exit $rc
