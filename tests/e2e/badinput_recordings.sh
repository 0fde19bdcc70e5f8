#!/usr/bin/env bash
# Hour-word recordings spoilt while the clock runs (every hour word, so the
# spoilt one is in the chain whatever the time): a click on "ВРЕМЯ (F11)"
# plays the hour number, then the box of the row comes once and the chain
# stops there. With the recordings put back, the next click speaks a whole
# chain from the hour on. The program changes no file on the way.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin badinput_recordings
source "$here/error_box.bash"
source "$here/badinput.bash"

words=(chas.wav chasa.wav chasov.wav)
# name | bytes of each hour word (Python; "gone": removed) | box text
rows=(
  "missing|gone|$BI_MCI_NOT_FOUND"
  "text|b'this is not a recording\r\n' * 40|$BI_MCI_NOT_WAV"
  # Cut inside the format chunk.
  "short_riff|b'RIFF\x24\x10\x00\x00WAVEfmt \x10\x00'|$BI_MCI_NOT_WAV"
)

prog="$ZV_RUN/cases/badinput_recordings/Zvenoks"
rm -rf "$prog"
cp -r "$ZV_DIST" "$prog"
printf 'Hotkey=0\r\nKey=1\r\nRun=1\r\n' >"$prog/config.cfg"
bi_session
log="$CASE_OUT/wine.log"
bi_clock_start "$prog" "$log" "$prog/config.cfg" || hn_die "the clock did not start"
bi_state full start
[ $bi_rc -eq 0 ] || hn_die "the clock is not on the screen: nothing to click"

run_row() {
  local name=$1 bytes=$2 want=$3 errors=$bi_errors w n out
  for w in "${words[@]}"; do
    if [ "$bytes" = gone ]; then rm -f "$prog/$w"; else python3 "$BI_CHECK" write "$prog/$w" "$bytes"; fi
  done
  bi_snapshot "$prog" >"$CASE_OUT/$name.files"
  n=$(bi_text_count "$log" "$want")
  bi_click_time "$name-click"
  bi_heard spoke "$name-click" | sed "s/^/$name: /" || bi_fail "$name: the click did not start at the hour"
  if bi_find_box 15; then
    sleep 0.5
    hn_screenshot "$CASE_OUT/$name.box.png"
    echo "$name: box text $(python3 "$BI_CHECK" boxtext "$log")"
    if [ "$want" != "?" ]; then
      [ "$(bi_text_count "$log" "$want")" -eq $((n + 1)) ] || bi_fail "$name: the box does not read \"$want\""
    fi
    bi_dismiss "$name"
    # Once: the poll does not go on failing.
    if bi_find_box 3; then bi_fail "$name: another box came after the first: $(python3 "$BI_CHECK" boxtext "$log")"; bi_dismiss "$name"; fi
  else
    bi_fail "$name: no error box within 15 s of the click"
    hn_screenshot "$CASE_OUT/$name.nobox.png"
  fi
  hn_record_mark "$BI_WAV" "$name-after"
  out=$(python3 "$BI_CHECK" opened "$BI_STRACE" "$BI_WAV" "$name-click" "$name-after")
  echo "$out" | sed "s/^/$name: /"
  python3 "$BI_CHECK" stopped "$BI_STRACE" "$BI_WAV" "$name-click" "$name-after" | sed "s/^/$name: /" ||
    bi_fail "$name: the chain did not stop at the spoilt hour word"
  bi_alive "$log" "$name"
  bi_same_files "$CASE_OUT/$name.files" "$prog" "$name"
  for w in "${words[@]}"; do cp "$ZV_DIST/$w" "$prog/$w"; done
  # The next Time command begins again at the hour and runs to the end.
  bi_click_time "$name-again"
  python3 "$BI_CHECK" chain "$BI_STRACE" "$BI_WAV" "$name-again" --within 30 | sed "s/^/$name: /" ||
    bi_fail "$name: the next click did not speak a whole chain"
  if bi_find_box 1; then bi_fail "$name: a box after the recordings were back: $(python3 "$BI_CHECK" boxtext "$log")"; bi_dismiss "$name"; fi
  [ "$bi_errors" -eq "$errors" ] && echo "ok: $name" || echo "FAILED: $name"
}

for row in "${rows[@]}"; do
  IFS='|' read -r name bytes want <<<"$row"
  run_row "$name" "$bytes" "$want"
done
bi_alive "$log" end
bi_clock_stop
exit $bi_rc
