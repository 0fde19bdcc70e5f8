#!/usr/bin/env bash
# The clock as a user sees it: a centred dial whose hands point at the time of
# the screenshot, see-through everywhere else, and the colour key nowhere.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin face

hn_wine_start "$CASE_PREFIX" "$ZV_DIST" "$CASE_OUT/wine.log" Zvenoks.exe
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
# The hub from the screen size: the clock is to cover the screen, and its
# hidden application window may be the first "Zvenoks" seen.
read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")

# Until the first tick the window is all colour key: see-through.
hn_wait_drawn $((hx - 20)) $((hy - 20)) 40 40 "the hub: the clock never showed its face"

t0=$(date +%s.%N)
hn_screenshot "$CASE_OUT/screen.png"
t1=$(date +%s.%N)
# The largest visible window of that name is the clock.
geo="" best=0
for id in $(xdotool search --onlyvisible --name '^Zvenoks$' 2>/dev/null); do
  read -r x y w h < <(hn_window_geometry "$id")
  if [ $((w * h)) -gt $best ]; then best=$((w * h)) geo="$x $y $w $h"; fi
done
[ -n "$geo" ] || hn_die "no visible window named Zvenoks at the screenshot"
convert "$CASE_OUT/screen.png" -depth 8 "rgb:$CASE_OUT/screen.rgb" || hn_die "could not read back $CASE_OUT/screen.png"

rc=0
# shellcheck disable=SC2086
python3 "$here/face_check.py" check "$CASE_OUT/screen.png" "$CASE_OUT/screen.rgb" \
  "$CASE_OUT/results.txt" "$t0" "$t1" $geo || rc=1
rm -f "$CASE_OUT/screen.rgb"
exit $rc
