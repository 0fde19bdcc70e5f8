#!/usr/bin/env bash
# Started from a folder holding only "dir.cfg": the start-up follows it, so
# the time is spoken from the recordings of the folder it names, not from the
# exe's own folder (which holds nothing but the exe).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin startup_dircfg

base="$ZV_RUN/cases/startup_dircfg"
prog="$base/program" exed="$base/exe" work="$base/work"
rm -rf "$prog" "$exed" "$work"
cp -r "$ZV_DIST" "$prog"
mkdir -p "$exed" "$work"
cp "$ZV_DIST/Zvenoks.exe" "$exed/"
printf '%s\r\n' "$(winepath_z "$prog")" >"$work/dir.cfg"
cp "$work/dir.cfg" "$CASE_OUT/dir.cfg"

out=$CASE_OUT
hn_trace_start "$CASE_PREFIX" "$out/strace.log"
hn_record_start "$out/announcement.wav"
hn_wine_start "$CASE_PREFIX" "$work" "$out/wine.log" "$exed/Zvenoks.exe"
ZV_DIAG_LOG="$out/wine.log"
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
geo=$(hn_wait_maximized Zvenoks 15)
# shellcheck disable=SC2086
read -r bx by bw bh < <(hn_caption_box $geo)
hn_wait_drawn "$bx" "$by" "$bw" "$bh" "the caption box stayed see-through: the clock never showed its controls"
hn_click $((bx + bw / 2)) $((by + bh / 2))
rc=0
hn_wait_chain_end "$out/strace.log" "$out/announcement.wav" "${ZV_CHAIN_TIMEOUT:-60}" || rc=1
hn_screenshot "$out/clock.png"
hn_record_stop
hn_locate_dialog_shown &&
  { echo "error: the file dialog was shown although dir.cfg was there"; rc=1; }
hn_stop_prefix "$CASE_PREFIX"
unset ZV_DIAG_LOG

python3 "$here/startup_check.py" wavs "$out/strace.log" "$prog" || rc=1
grep -q "dosdevices/z:$prog/config.cfg\"" "$out/strace.log" ||
  { echo "error: config.cfg was not opened from $prog"; rc=1; }
cmp -s "$work/dir.cfg" "$out/dir.cfg" || { echo "error: dir.cfg was rewritten"; rc=1; }
[ "$(ls "$work")" = "dir.cfg" ] || { echo "error: files appeared in the starting folder: $(ls "$work" | tr '\n' ' ')"; rc=1; }
[ $rc -eq 0 ] && echo "ok: dir.cfg followed, recordings from $prog"
exit $rc
