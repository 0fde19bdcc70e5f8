#!/usr/bin/env bash
# Wine with its audio driver switched off: MCI opens a recording and takes
# MCI_PLAY, but the position never moves. A click on "ВРЕМЯ (F11)" brings one
# error box in Russian within a few seconds (the clip's length plus 2 s),
# the clock goes on ticking behind it, no second box follows, and the next
# Time command (F11 in the clock) tries again and brings the box again.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin nosound_box
source "$here/error_box.bash"
source "$here/badinput.bash"

WINEPREFIX="$CASE_PREFIX" hn_timeout 300 "wine reg add" "$ZV_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >"$CASE_OUT/reg.log" 2>&1 ||
  hn_die "could not switch Wine's audio driver off"
# The traced server must be the prefix's first.
hn_stop_prefix "$CASE_PREFIX"

want_text="Не удалось воспроизвести запись"
prog=$(hn_case_program nosound_box 'Hotkey=1\r\nKey=1\r\nRun=1\r\n')
bi_session
log="$CASE_OUT/wine.log"
bi_clock_start "$prog" "$log" "$prog/config.cfg" || hn_die "the clock did not start"
bi_state full start
[ $bi_rc -eq 0 ] || hn_die "the clock is not on the screen: nothing to click"
clock=$(hn_largest_window Zvenoks)

# Two captures of the screen 2.5 s apart, the box's rectangle left out: how
# many pixels changed (the hands and the read-out, if the clock ticks).
ticking() {
  local bx by bw bh
  read -r bx by bw bh < <(hn_window_geometry "$box")
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -depth 8 rgb:- >"$CASE_OUT/a.rgb"
  sleep 2.5
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -depth 8 rgb:- >"$CASE_OUT/b.rgb"
  python3 - "$CASE_OUT/a.rgb" "$CASE_OUT/b.rgb" "$BI_SW" "$bx" "$by" "$bw" "$bh" <<'PY'
import sys
a = open(sys.argv[1], "rb").read()
b = open(sys.argv[2], "rb").read()
sw, bx, by, bw, bh = map(int, sys.argv[3:])
n = 0
for i in range(0, min(len(a), len(b)), 3):
    p = i // 3
    x, y = p % sw, p // sw
    if bx <= x < bx + bw and by <= y < by + bh:
        continue
    if a[i:i + 3] != b[i:i + 3]:
        n += 1
print(n)
PY
  rm -f "$CASE_OUT/a.rgb" "$CASE_OUT/b.rgb"
}

# One Time command by HOW ("click" or "F11"), then the box it must bring.
round() {
  local name=$1 how=$2 t0 secs changed
  t0=$EPOCHREALTIME
  if [ "$how" = click ]; then bi_click_time "$name"; else bi_press F11 "$name" "$clock"; fi
  if ! bi_find_box 20; then
    bi_fail "$name: no error box within 20 s of the Time command"
    hn_screenshot "$CASE_OUT/$name.nobox.png"
    return
  fi
  secs=$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN{printf "%.1f", b - a}')
  echo "$name: the box came $secs s after the Time command"
  sleep 0.5
  hn_screenshot "$CASE_OUT/$name.box.png"
  local text
  text=$(python3 "$BI_CHECK" boxtext "$log")
  echo "$name: box text $text"
  case $text in *"$want_text"*) ;; *) bi_fail "$name: the box does not say the recording could not be played" ;; esac
  changed=$(ticking)
  echo "$name: $changed pixels changed in 2.5 s behind the box"
  [ "$changed" -gt 0 ] || bi_fail "$name: the clock stood still while the box was up"
  bi_dismiss "$name"
  # Once: the poll has stopped, nothing comes after.
  if bi_find_box 4; then
    bi_fail "$name: another box came after the first: $(python3 "$BI_CHECK" boxtext "$log")"
    bi_dismiss "$name"
  fi
  bi_alive "$log" "$name"
}

round first click
round again F11
bi_clock_stop
[ $bi_rc -eq 0 ] && echo "ok: no sound device gives one box in Russian per Time command"
exit $bi_rc
