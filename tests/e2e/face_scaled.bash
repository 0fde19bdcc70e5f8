# shellcheck shell=bash
# Sourced by the face_150 and face_200 cases: the clock drawn at 96 DPI and
# at a higher one (LogPixels in the prefix, which every program there takes
# as its DPI), each screenshotted and checked as face.sh checks it, and the
# two compared: the dial, the hands and the read-out in the ratio of the DPIs.

# DPI: the clock at that DPI in $CASE_PREFIX; leaves $CASE_OUT/screen-DPI.png
# and results-DPI.txt. Returns 1 if the check failed.
face_at_dpi() {
  local dpi=$1 sw sh hx hy geo t0 t1 rc=0 id x y w h best=0
  local out="$CASE_OUT/dpi-$dpi"
  mkdir -p "$out"
  hn_stop_prefix "$CASE_PREFIX"
  WINEPREFIX="$CASE_PREFIX" hn_timeout 120 "reg add LogPixels" "$ZV_WINE" reg add \
    'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >"$out/reg.log" 2>&1 ||
    hn_die "could not set LogPixels to $dpi"
  hn_stop_prefix "$CASE_PREFIX"
  hn_wine_start "$CASE_PREFIX" "$ZV_DIST" "$out/wine.log" Zvenoks.exe
  ZV_DIAG_LOG="$out/wine.log"
  hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
  read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
  read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh" "$dpi")
  hn_wait_drawn $((hx - 20)) $((hy - 20)) 40 40 "the hub at $dpi dpi: the clock never showed its face"
  # A second for the tick after the start-up work, which lays the face out.
  sleep 1.5
  # The second hand passes under the read-out at 6 to 8 s, and its pixels
  # would be measured as the text's.
  while s=$((10#$(date +%S))); [ "$s" -ge 4 ] && [ "$s" -le 10 ]; do sleep 0.5; done
  t0=$(date +%s.%N)
  hn_screenshot "$CASE_OUT/screen-$dpi.png"
  t1=$(date +%s.%N)
  geo=""
  for id in $(xdotool search --onlyvisible --name '^Zvenoks$' 2>/dev/null); do
    read -r x y w h < <(hn_window_geometry "$id")
    if [ $((w * h)) -gt $best ]; then best=$((w * h)) geo="$x $y $w $h"; fi
  done
  [ -n "$geo" ] || hn_die "no visible window named Zvenoks at $dpi dpi"
  convert "$CASE_OUT/screen-$dpi.png" -depth 8 "rgb:$out/screen.rgb" || hn_die "could not read back screen-$dpi.png"
  # shellcheck disable=SC2086
  python3 "$here/face_check.py" check "$CASE_OUT/screen-$dpi.png" "$out/screen.rgb" \
    "$CASE_OUT/results-$dpi.txt" "$t0" "$t1" $geo "$dpi" || rc=1
  rm -f "$out/screen.rgb"
  hn_stop_prefix "$CASE_PREFIX"
  unset ZV_DIAG_LOG
  return $rc
}

# DPI: both runs and the comparison; the case's exit status.
face_scaled() {
  local dpi=$1 rc=0
  face_at_dpi 96 || rc=1
  face_at_dpi "$dpi" || rc=1
  python3 "$here/face_check.py" compare "$CASE_OUT/results-96.txt" "$CASE_OUT/results-$dpi.txt" || rc=1
  return $rc
}
