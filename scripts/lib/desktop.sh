# shellcheck shell=bash
# Sourced by harness.sh, not on its own: the X screen (windows, clicks, keys,
# screenshots), the null sink's recording, and the helpers of the e2e cases.

# ---- X input and output --------------------------------------------------------

# True while the program's dialog asking where Zvenoks.exe lies is on screen;
# the title is the one app/Startup_win.cpp gives it.
hn_locate_dialog_shown() {
  xdotool search --onlyvisible --name 'Укажите, где лежит Zvenoks.exe' >/dev/null 2>&1
}

# Prints the id of the largest visible window whose title is exactly NAME
# (a program's hidden application window may bear the same title).
hn_wait_window() {
  local name=$1 secs=${2:-120} id
  timeout "$secs" xdotool search --sync --onlyvisible --name "^$name\$" >/dev/null 2>&1 ||
    hn_die "no visible window named '$name' within ${secs}s"
  id=$(hn_largest_window "$name")
  [ -n "$id" ] || hn_die "the window named '$name' vanished"
  echo "$id"
}

hn_largest_window() {
  local id best=0 bestid="" x y w h
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    read -r x y w h < <(hn_window_geometry "$id") || continue
    [ $((w * h)) -gt $best ] && best=$((w * h)) bestid=$id
  done
  echo "$bestid"
}

# Prints "X Y W H" of a window.
hn_window_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '
    $1=="X"{x=$2} $1=="Y"{y=$2} $1=="WIDTH"{w=$2} $1=="HEIGHT"{h=$2}
    END{print x, y, w, h}'
}

# Wine often loses `xdotool click`; a press, a pause and a release it keeps.
hn_click() {
  xdotool mousemove --sync "$1" "$2" mousedown 1
  sleep 0.15
  xdotool mouseup 1
}

# Sends keys to a window after giving it the X focus.
hn_key() {
  local win=$1
  shift
  timeout 10 xdotool windowfocus --sync "$win" || hn_die "could not focus window $win"
  xdotool key "$@"
}

# The screen as seen. Wine's ordinary windows and menus come out black in a
# capture of the root (their contents are not in the root's picture here);
# each viewable one is captured on its own and laid over the root, bottom
# first. Shaped windows (the colour-keyed clock) are in the root already.
hn_screenshot() {
  local tmp id info x y args=()
  tmp=$(mktemp -d "${ZV_RUN:-/tmp}/shot.XXXXXX")
  xwd -root -silent -display "$DISPLAY" >"$tmp/root.xwd" || hn_die "screenshot to $1 failed"
  for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}' | tac); do
    info=$(xwininfo -shape -id "$id" 2>/dev/null) || continue
    grep -q 'Map State: IsViewable' <<<"$info" || continue
    grep -q 'Window shape extents' <<<"$info" && continue
    x=$(awk '/Absolute upper-left X:/{print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y:/{print $4}' <<<"$info")
    # A window may go between the listing and the capture.
    xwd -id "$id" -silent >"$tmp/$id.xwd" 2>/dev/null || continue
    args+=("xwd:$tmp/$id.xwd" -geometry "+$x+$y" -composite)
  done
  convert "xwd:$tmp/root.xwd" "${args[@]}" "png:$1" || hn_die "screenshot to $1 failed"
  rm -rf "$tmp"
}

# Counts pixels of a screen rectangle that are neither black nor maroon, i.e.
# drawn by a window rather than its see-through colour key.
hn_drawn_pixels() {
  local x=$1 y=$2 w=$3 h=$4
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage -depth 8 rgb:- |
    python3 -c 'import sys; d=sys.stdin.buffer.read(); print(sum(1 for i in range(0,len(d)-2,3) if d[i:i+3] not in (b"\0\0\0", b"\x80\0\0")))'
}

# A digest of what the screen rectangle X Y W H shows.
hn_region_digest() {
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop "${3}x${4}+${1}+${2}" +repage -depth 8 rgb:- |
    md5sum
}

# Waits until the screen rectangle X Y W H has changed N times (default 1):
# each clock tick moves the second hand, so a box round the hub changing
# twice proves a whole tick ran. Returns 1 if it had not after SECS (30).
hn_wait_redrawn() {
  local x=$1 y=$2 w=$3 h=$4 n=${5:-1} end=$((SECONDS + ${6:-30})) last cur
  last=$(hn_region_digest "$x" "$y" "$w" "$h")
  while [ $SECONDS -lt $end ]; do
    sleep 0.1
    cur=$(hn_region_digest "$x" "$y" "$w" "$h")
    [ "$cur" != "$last" ] || continue
    last=$cur
    n=$((n - 1))
    [ $n -gt 0 ] || return 0
  done
  return 1
}

# Records the null sink to a WAV file; hn_record_stop finishes its header.
hn_record_start() {
  parecord -d cap.monitor --file-format=wav --format=s16le --rate=16000 --channels=1 --latency-msec=20 "$1" &
  ZV_REC_PID=$!
  hn_track $ZV_REC_PID
  : >"$1.marks"
  for _ in $(seq 100); do
    [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -gt 4000 ] && return 0
    kill -0 "$ZV_REC_PID" 2>/dev/null || break
    sleep 0.1
  done
  hn_die "parecord records nothing from cap.monitor"
}

# Notes NAME, the time and how much has been recorded so far, so that a moment
# can be found in the recording whenever parecord really began.
hn_record_mark() {
  echo "$2 $(date +%s.%N) $(stat -c %s "$1")" >>"$1.marks"
}

hn_record_stop() {
  [ -n "${ZV_REC_PID:-}" ] || return 0
  kill -INT "$ZV_REC_PID" 2>/dev/null || true
  timeout 5 tail --pid="$ZV_REC_PID" -f /dev/null || hn_kill "$ZV_REC_PID"
  unset ZV_REC_PID
}

hn_analyze() { python3 "$ZV_LIB/analyze.py" "$@"; }

# Waits until the largest window named NAME covers the screen (the maximized
# clock); prints its "X Y W H". After SECS it prints what there is.
hn_wait_maximized() {
  local name=$1 secs=${2:-15} g="" sw sh id
  read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
  for _ in $(seq $((secs * 5))); do
    id=$(hn_largest_window "$name")
    [ -n "$id" ] && g=$(hn_window_geometry "$id")
    [ "$g" = "0 0 $sw $sh" ] && break
    sleep 0.2
  done
  [ -n "$g" ] || hn_die "no window named '$name' to measure"
  [ "$g" = "0 0 $sw $sh" ] || hn_log "warning: '$name' is $g, not maximized over ${sw}x$sh"
  echo "$g"
}

# The "ВРЕМЯ (F11)" caption: left = round(W/2) − 180, top = round(H/2) − 142
# (halves to even), 95 × 16, in the maximized window's client area.
hn_caption_box() {
  python3 -c 'import sys; x,y,w,h=map(int,sys.argv[1:]); print(x+round(w/2)-180, y+round(h/2)-142, 95, 16)' "$@"
}

# Waits until the chain has ended: a last word (a minute word, or a style's
# «ровно», «полдень», «полночь» or part of day) has been opened and the
# recording has been quiet for a second since (bounded by SECS).
hn_wait_chain_end() {
  local log=$1 wav=$2 secs=${3:-60} end=$((SECONDS + ${3:-60})) q
  while [ $SECONDS -lt $end ]; do
    if hn_analyze opened "$log" | tail -n 1 | grep -Eqx '(minut[ay]?|rovno|polden|polnoch|utra|dnya|vechera|nochi|yanvarya|fevralya|marta|aprelya|maya|iyunya|iyulya|avgusta|sentyabrya|oktyabrya|noyabrya|dekabrya)\.wav'; then
      q=$(hn_analyze quiet "$wav" 2>/dev/null || echo "0 0")
      awk -v q="$q" 'BEGIN{split(q,a," "); exit !(a[1]==1 && a[2]>=1.0)}' && return 0
    fi
    sleep 0.3
  done
  hn_log "the announcement did not end within ${secs}s"
  return 1
}

# Starts $ZV_DIST/Zvenoks.exe from its own folder in PREFIX, clicks
# "ВРЕМЯ (F11)" once the first clock tick has drawn it, and waits for the
# chain to end. Leaves in OUT: strace.log (files the program opened),
# announcement.wav (+ .marks: "press", "click" at the release, "end" when the
# chain was over), clock.png, wine.log, click_box. Returns 1 if the chain did
# not end.
hn_announce_once() {
  local p=$1 out=$2 geo box rc=0 bx by bw bh
  mkdir -p "$out"
  rm -f "$out"/strace.log "$out"/announcement.wav* "$out"/clock.png
  hn_trace_start "$p" "$out/strace.log"
  hn_record_start "$out/announcement.wav"
  hn_wine_start "$p" "$ZV_DIST" "$out/wine.log" Zvenoks.exe
  ZV_DIAG_LOG="$out/wine.log"
  hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
  geo=$(hn_wait_maximized Zvenoks 15)
  # shellcheck disable=SC2086
  box=$(hn_caption_box $geo)
  echo "$box" >"$out/click_box"
  read -r bx by bw bh <<<"$box"
  hn_wait_drawn "$bx" "$by" "$bw" "$bh" "the caption box stayed see-through: the clock never showed its controls"
  # A click happens at the release: "click" marks it, "press" the press.
  xdotool mousemove --sync $((bx + bw / 2)) $((by + bh / 2))
  hn_record_mark "$out/announcement.wav" press
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  hn_record_mark "$out/announcement.wav" click
  hn_wait_chain_end "$out/strace.log" "$out/announcement.wav" "${ZV_CHAIN_TIMEOUT:-60}" || rc=1
  hn_record_mark "$out/announcement.wav" end
  hn_screenshot "$out/clock.png"
  hn_record_stop
  hn_stop_prefix "$p"
  unset ZV_DIAG_LOG
  return $rc
}

# A private copy of the program for case NAME, with config.cfg made of the
# printf FORMAT if one is given; prints its folder.
hn_case_program() {
  local prog="$ZV_RUN/cases/$1/Zvenoks"
  rm -rf "$prog"
  mkdir -p "${prog%/*}"
  cp -r "$ZV_DIST" "$prog"
  # shellcheck disable=SC2059 # the text is a printf format, for its \r\n
  [ $# -lt 2 ] || printf "$2" >"$prog/config.cfg"
  echo "$prog"
}

# Starts the case's copy of the clock from PROG with the server traced into
# $CASE_OUT/strace.log and, given WAV, the sound recorded into it; its output
# is $CASE_OUT/wine.log, which a failure then shows. Sets ZV_PID.
hn_case_start() {
  local prog=$1 wav=${2:-}
  hn_trace_start "$CASE_PREFIX" "$CASE_OUT/strace.log"
  [ -z "$wav" ] || hn_record_start "$wav"
  hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/wine.log" Zvenoks.exe
  ZV_DIAG_LOG="$CASE_OUT/wine.log"
}

# Waits up to 20 s for the traced server to show config.cfg opened: the
# start-up work of the first tick (which registers the hotkey) has run.
hn_wait_settings_read() {
  local log=$1
  for _ in $(seq 100); do
    grep -q '/Zvenoks/config.cfg"' "$log" && return 0
    sleep 0.2
  done
  hn_die "config.cfg was never opened: no start-up work within 20s"
}

# Waits up to 15 s for something drawn in the screen rectangle X Y W H:
# until the first tick the clock is all colour key, see-through. Dies with WHY.
hn_wait_drawn() {
  local x=$1 y=$2 w=$3 h=$4 why=$5
  for _ in $(seq 75); do
    [ "$(hn_drawn_pixels "$x" "$y" "$w" "$h")" -gt 0 ] && return 0
    sleep 0.2
  done
  hn_die "nothing drawn in ${w}x$h+$x+$y: $why"
}

# For tests/e2e cases: checks that the session is there, makes a clean
# out/e2e/NAME/ (exported as CASE_OUT) and a fresh prefix (CASE_PREFIX).
hn_case_begin() {
  local name=$1
  [ -n "${ZV_RUN:-}" ] && [ -d "$ZV_RUN" ] && [ -n "${DISPLAY:-}" ] && [ -n "${PULSE_SERVER:-}" ] ||
    hn_die "no harness session: run this case as 'scripts/test e2e $name'"
  CASE_OUT="$ZV_ROOT/out/e2e/$name"
  rm -rf "$CASE_OUT"
  mkdir -p "$CASE_OUT"
  CASE_PREFIX=$(hn_prefix_new "$ZV_RUN/cases/$name")
  export CASE_OUT CASE_PREFIX
  trap 'hn_record_stop; hn_stop_prefix "$CASE_PREFIX"' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}
