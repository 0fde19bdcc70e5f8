#!/usr/bin/env bash
# config.cfg that is noise, huge, holds NUL bytes, has no line break, or
# holds a malformed setting: the clock starts once per row of the table and
# must show the box named there (or none), be full-screen or hidden, have the
# hotkey the text asks for (or none), speak on "ВРЕМЯ (F11)" when shown, keep
# running, and leave config.cfg and its folder byte for byte as they were.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin badinput_config
source "$here/error_box.bash"
source "$here/badinput.bash"

# name | bytes (Python) | box text, "-" none |
# full/hidden | key pressed in Notepad | spoke/silent
rows=(
  'noise|noise(65536)|-|full|F11|silent'
  # Searched over the whole text: settings after 1 MB of noise still count
  # (Key=2 is F10 here, on both registration paths).
  'big|noise(1 << 20) + b"\r\nHotkey=1\r\nKey=2\r\nRun=2\r\n"|-|hidden|F10|spoke'
  'nul|b"\0Hotkey=1\0\r\n\0\0Key=3\0\r\nRun=1\0"|-|full|Print|spoke'
  'one_line|b"Run=2Hotkey=1Key=5"|-|hidden|Pause|spoke'
  'empty|b""|-|full|F11|silent'
  # The prefix ends the text: nothing between the apostrophes; the error
  # comes before the start mode, so Run=2 is not applied.
  'key_at_end|b"Run=2\r\nHotkey=1\r\nKey="|'"'' is not a valid integer value."'|full|F11|silent'
  'key_nul|b"Hotkey=1\r\nKey=\0\r\nRun=2\r\n"|'"'' is not a valid integer value."'|full|F11|silent'
  # A bad start mode comes after the hotkey was registered.
  'run_x|b"Hotkey=1\r\nKey=1\r\nRun=x\r\n"|'"'x' is not a valid integer value."'|full|F11|spoke'
  'run_3|b"Hotkey=1\r\nKey=3\r\nRun=3\r\n"|-|full|Print|spoke'
  'no_hotkey|b"Key=3\r\nRun=1\r\n"|-|full|Print|silent'
  # Each switch is searched alone: with both, the key is registered.
  'both_hotkeys|b"Hotkey=0\r\nHotkey=1\r\nKey=3\r\nRun=1\r\n"|-|full|Print|spoke'
  'key_9|b"Hotkey=1\r\nKey=9\r\nRun=1\r\n"|-|full|F11|silent'
)

prog="$ZV_RUN/cases/badinput_config/Zvenoks"
rm -rf "$prog"
cp -r "$ZV_DIST" "$prog"
bi_session
bi_notepad

run_row() {
  local name=$1 expr=$2 want_box=$3 state=$4 key=$5 heard=$6 t0=$EPOCHREALTIME errors=$bi_errors
  local log="$CASE_OUT/$name.wine.log" text
  python3 "$BI_CHECK" write "$prog/config.cfg" "$expr"
  cp "$prog/config.cfg" "$CASE_OUT/$name.config.cfg"
  bi_snapshot "$prog" >"$CASE_OUT/$name.files"
  if ! bi_clock_start "$prog" "$log" "$prog/config.cfg"; then
    bi_fail "$name: no start-up"
    bi_clock_stop
    return
  fi
  if [ "$want_box" = - ]; then
    # The box comes about a second after the load; this waits past three.
    if bi_find_box 2; then
      bi_fail "$name: an error box came: $(python3 "$BI_CHECK" boxtext "$log")"
      hn_screenshot "$CASE_OUT/$name.box.png"
      bi_dismiss "$name"
    fi
    bi_state "$state" "$name"
  elif bi_find_box 15; then
    sleep 0.5
    hn_screenshot "$CASE_OUT/$name.box.png"
    text=$(python3 "$BI_CHECK" boxtext "$log")
    echo "$name: box text $text (${BI_T_BOX} s after the load)"
    [ "$(bi_text_count "$log" "$want_box")" -ge 1 ] || bi_fail "$name: the box does not read \"$want_box\""
    bi_dismiss "$name"
    bi_state "$state" "$name"
    # Shown once: nothing retries the start-up work.
    if bi_find_box 1; then bi_fail "$name: another box came after the first"; fi
  else
    bi_fail "$name: no error box within 15 s"
    hn_screenshot "$CASE_OUT/$name.nobox.png"
  fi
  bi_alive "$log" "$name"
  # A key pressed in the first seconds after the start may be lost to the
  # clock's own activation.
  while [ "$(bi_since_cfg | tr -d .)" -lt 40 ]; do sleep 0.2; done
  bi_press "$key" "$name-key"
  bi_heard "$heard" "$name-key" | sed "s/^/$name: /" || bi_fail "$name: $key did not act as expected ($heard)"
  if [ "$state" = full ]; then
    bi_click_time "$name-click"
    # It may fall into the key's chain: a new one from the hour is the answer.
    python3 "$BI_CHECK" restarted "$BI_STRACE" "$BI_WAV" "$name-click" --within 5 | sed "s/^/$name: click: /" ||
      bi_fail "$name: the click on 'ВРЕМЯ (F11)' did not speak"
  fi
  bi_alive "$log" "$name"
  bi_clock_stop
  cmp -s "$prog/config.cfg" "$CASE_OUT/$name.config.cfg" || bi_fail "$name: config.cfg changed"
  bi_same_files "$CASE_OUT/$name.files" "$prog" "$name"
  local took
  took=$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN{printf "%.1f s", b - a}')
  [ "$bi_errors" -eq "$errors" ] && echo "ok: $name ($took)" || echo "FAILED: $name ($took)"
}

for row in "${rows[@]}"; do
  IFS='|' read -r name expr box state key heard <<<"$row"
  # BI_ROWS="name ..." runs only those rows (while debugging one).
  [ -z "${BI_ROWS:-}" ] || [[ " $BI_ROWS " == *" $name "* ]] || continue
  run_row "$name" "$expr" "$box" "$state" "$key" "$heard"
done
exit $bi_rc
