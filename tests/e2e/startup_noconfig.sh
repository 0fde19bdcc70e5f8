#!/usr/bin/env bash
# No config.cfg in the program folder: the start-up shows "Cannot open file"
# for it, yet the clock is shown and keeps running; nothing retries the load.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin startup_noconfig

prog=$(hn_case_program startup_noconfig)
rm -f "$prog/config.cfg"

source "$here/error_box.bash"

read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
# The win channel names the box text (SetWindowText) if the clipboard cannot.
WINEDEBUG=-all,+win hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/wine.log" Zvenoks.exe
ZV_DIAG_LOG="$CASE_OUT/wine.log"
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null

zv_wait_box "$sw" "$sh"
read -r bx by bw bh < <(hn_window_geometry "$box")
hn_log "error box $box at $bx,$by ${bw}x$bh"

# The box's text is not in X; the +win trace names what was set.
rc=0
python3 "$here/startup_check.py" texts "$CASE_OUT/wine.log" >"$CASE_OUT/texts.txt"
want="Cannot open file \"$(winepath_z "$prog")\\config.cfg\". "
line=$(grep -iF "$want" "$CASE_OUT/texts.txt" | head -n 1 || true)
if [ -z "$line" ]; then
  echo "error: no window text starts with '$want'; texts set: $(tail -n 3 "$CASE_OUT/texts.txt" | tr '\n' '|')"
  rc=1
else
  # The system's reason follows the path and ends in one full stop.
  echo "$line" | grep -qE '"\. .*[^. ]\.$' || { echo "error: '$line' is not 'Cannot open file \"...\". <reason>.'"; rc=1; }
  echo "box text: $line"
fi

# The controls were shown before the load failed; the caption lies above the box.
geo=$(hn_wait_maximized Zvenoks 15)
[ "$geo" = "0 0 $sw $sh" ] || { echo "error: the clock is '$geo', not full-screen under the box"; rc=1; }
# shellcheck disable=SC2086
read -r cx cy cw ch < <(hn_caption_box $geo)
drawn=$(hn_drawn_pixels "$cx" "$cy" "$cw" "$ch")
[ "$drawn" -gt 0 ] || { echo "error: 'ВРЕМЯ (F11)' is not drawn behind the error box"; rc=1; }

zv_dismiss_box "$sw" "$sh"
sleep 3
hn_screenshot "$CASE_OUT/after.png"
zv_windows >"$CASE_OUT/windows_after.txt"
kill -0 "$ZV_PID" 2>/dev/null || hn_die "the program ended after the error box"
[ -z "$(zv_box "$sw" "$sh")" ] || { echo "error: another error box came after the first was dismissed"; rc=1; }
geo=$(hn_wait_maximized Zvenoks 5)
[ "$geo" = "0 0 $sw $sh" ] || { echo "error: the clock is '$geo' after the box, not full-screen"; rc=1; }
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")
drawn=$(hn_drawn_pixels $((hx - 20)) $((hy - 20)) 40 40)
[ "$drawn" -gt 0 ] || { echo "error: no dial around the hub ($hx,$hy) after the box"; rc=1; }
[ $rc -eq 0 ] && echo "ok: error box shown, clock running full-screen"
exit $rc
