# Shared by the badinput_* cases; sourced after the harness and error_box.bash.
# Not a case itself (scripts/test runs tests/e2e/*.sh). One traced wineserver
# serves every start of a case, so later starts skip Wine's own start-up.

read -r BI_SW BI_SH < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
read -r BI_HX BI_HY < <(python3 "$here/face_check.py" hub "$BI_SW" "$BI_SH")
# "ВРЕМЯ (F11)" on the full-screen clock: X Y W H.
BI_CAPTION=$(hn_caption_box 0 0 "$BI_SW" "$BI_SH")
BI_CHECK="$here/badinput_check.py"
bi_rc=0 bi_errors=0

bi_fail() { echo "error: $*"; bi_rc=1; bi_errors=$((bi_errors + 1)); }

# Every file under DIR with its SHA-256, by relative name: a before/after
# comparison of this finds any file changed, lost or added.
bi_snapshot() { (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum); }

# Compares a snapshot taken before (file BEFORE) with DIR now.
bi_same_files() {
  local before=$1 dir=$2 what=$3
  bi_snapshot "$dir" >"$before.after"
  cmp -s "$before" "$before.after" ||
    bi_fail "$what: files changed in $dir: $(diff "$before" "$before.after" | grep '^[<>]' | tr '\n' ';')"
}

# The traced server and the recording for the whole case.
bi_session() {
  BI_STRACE="$CASE_OUT/strace.log" BI_WAV="$CASE_OUT/sound.wav"
  hn_trace_start "$CASE_PREFIX" "$BI_STRACE"
  hn_record_start "$BI_WAV"
}

# Notepad, small in a corner: the hotkeys are pressed while it has the focus.
bi_notepad() {
  hn_wine_start "$CASE_PREFIX" "$CASE_OUT" "$CASE_OUT/notepad.log" notepad
  BI_NOTE=$(hn_wait_window '.*Notepad' 120)
  xdotool windowsize --sync "$BI_NOTE" 300 150 2>/dev/null || true
  xdotool windowmove --sync "$BI_NOTE" 0 0 2>/dev/null || true
}

# Starts the clock from DIR (EXE defaults to Zvenoks.exe there) with the win
# channel on, so LOG names the box texts; waits until the start-up work has
# opened CFG (a Unix path; the server never sees a name that does not exist,
# so "" waits for the first window instead) and one more second. Sets ZV_PID.
# Returns 1 if that did not happen within 60 s.
bi_clock_start() {
  local dir=$1 log=$2 cfg=$3 exe=${4:-Zvenoks.exe} from
  from=$(($(wc -l <"$BI_STRACE") + 1))
  WINEDEBUG=-all,+win hn_wine_start "$CASE_PREFIX" "$dir" "$log" "$exe"
  ZV_DIAG_LOG=$log
  for _ in $(seq 300); do
    if [ -n "$cfg" ]; then
      tail -n +"$from" "$BI_STRACE" | grep -qF "dosdevices/z:$cfg\"" && { BI_T_CFG=$EPOCHREALTIME; sleep 1; return 0; }
    else
      [ -n "$(xdotool search --onlyvisible --name '^Zvenoks$' 2>/dev/null)" ] && { BI_T_CFG=$EPOCHREALTIME; sleep 1; return 0; }
    fi
    kill -0 "$ZV_PID" 2>/dev/null || { echo "error: the clock ended during its start"; return 1; }
    sleep 0.2
  done
  echo "error: $cfg was not opened within 60 s of the start"
  return 1
}

# Ends the clock (killed: closing it is not what is tested) and waits
# until its windows are gone, so that the next start finds none of them.
bi_clock_stop() {
  kill -KILL "$ZV_PID" 2>/dev/null || true
  wait "$ZV_PID" 2>/dev/null || true
  for _ in $(seq 50); do
    [ -z "$(xdotool search --name '^Zvenoks$' 2>/dev/null)" ] && return 0
    sleep 0.2
  done
  hn_log "warning: windows named Zvenoks stayed after the clock ended"
}

# Fails unless the clock process still runs and Wine reported no crash in LOG.
bi_alive() {
  local log=$1 what=$2
  kill -0 "$ZV_PID" 2>/dev/null || bi_fail "$what: the program ended (crash?)"
  if grep -qE 'Unhandled (exception|page fault)|^wine: .*(crash|assert)' "$log"; then
    bi_fail "$what: Wine reports a crash: $(grep -m1 -E 'Unhandled|^wine: ' "$log")"
  fi
}

# Waits up to SECS for the error box; sets `box` (empty when none came).
bi_find_box() {
  local secs=${1:-4}
  box=""
  for _ in $(seq $((secs * 5))); do
    box=$(zv_box "$BI_SW" "$BI_SH")
    [ -n "$box" ] && { BI_T_BOX=$(bi_since_cfg); return 0; }
    sleep 0.2
  done
  return 1
}

# Seconds since the start-up work read the settings.
bi_since_cfg() { awk -v a="$BI_T_CFG" -v b="$EPOCHREALTIME" 'BEGIN{printf "%.1f", b - a}'; }

# The texts the program set (a +win LOG), one a line.
bi_texts() { python3 "$here/startup_check.py" texts "$1"; }

# How many times TEXT was set as a window text in LOG.
bi_text_count() { bi_texts "$1" | grep -cxF -- "$2" || true; }

# Presses Return on the box and waits for it to go.
bi_dismiss() {
  hn_key "$box" Return
  for _ in $(seq 50); do
    [ -z "$(zv_box "$BI_SW" "$BI_SH")" ] && return 0
    sleep 0.2
  done
  bi_fail "$1: the error box stayed after Return"
}

# Pixel counts (see badinput_check.py drawn) of rectangles "X Y W H" of one
# capture of the screen.
bi_drawn() {
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -depth 8 rgb:- | python3 "$BI_CHECK" drawn "$BI_SW" "$@"
}

# "full": the clock covers the screen with its dial and caption drawn;
# "hidden": no window named Zvenoks is viewable and no dial is drawn.
bi_state() {
  local want=$1 what=$2 geo dial caption
  if [ "$want" = full ]; then
    geo=$(hn_wait_maximized Zvenoks 5 2>/dev/null || true)
    [ "$geo" = "0 0 $BI_SW $BI_SH" ] || { bi_fail "$what: the clock is '$geo', not full-screen"; return; }
    # shellcheck disable=SC2086
    read -r dial caption < <(bi_drawn $((BI_HX - 20)) $((BI_HY - 20)) 40 40 $BI_CAPTION)
    [ "$dial" -gt 0 ] || bi_fail "$what: no dial drawn around the hub"
    [ "$caption" -gt 0 ] || bi_fail "$what: 'ВРЕМЯ (F11)' is not drawn"
  else
    [ -z "$(xdotool search --onlyvisible --name '^Zvenoks$' 2>/dev/null)" ] ||
      bi_fail "$what: a window named Zvenoks is on the screen, the clock is not hidden"
    dial=$(bi_drawn $((BI_HX - 60)) $((BI_HY - 60)) 120 120)
    [ "$dial" -eq 0 ] || bi_fail "$what: $dial pixels of a dial drawn, the clock is not hidden"
  fi
}

# Moves the pointer to X Y. "mousemove --sync" to where the pointer already
# is waits for a motion that never comes.
bi_pointer() {
  local X Y
  eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=')"
  [ "${X:-}" = "$1" ] && [ "${Y:-}" = "$2" ] || xdotool mousemove --sync "$1" "$2"
}

# Clicks "ВРЕМЯ (F11)" of the full-screen clock; MARK notes the moment.
bi_click_time() {
  local cx cy cw ch
  read -r cx cy cw ch <<<"$BI_CAPTION"
  bi_pointer $((cx + cw / 2)) $((cy + ch / 2))
  hn_record_mark "$BI_WAV" "$1"
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
}

# Presses KEY with Notepad (or WINDOW) focused; MARK notes the moment.
bi_press() {
  local key=$1 mark=$2 win=${3:-${BI_NOTE:-}}
  timeout 10 xdotool windowfocus --sync "$win" || hn_die "could not focus window $win"
  sleep 0.3
  hn_record_mark "$BI_WAV" "$mark"
  xdotool key "$key"
}

# "spoke MARK" or "silent MARK": what the clock did after the mark.
bi_heard() {
  if [ "$1" = spoke ]; then
    python3 "$here/hotkey_check.py" spoke "$BI_STRACE" "$BI_WAV" "$2" --within 4
  else
    python3 "$here/hotkey_check.py" silent "$BI_STRACE" "$BI_WAV" "$2" --for 2
  fi
}

# Wine's texts for a failed MCI open of a missing file and of a file that is
# no WAV (they end in a full stop, so the box adds none).
BI_MCI_NOT_FOUND="Cannot find the specified file. Make sure the path and filename are correct."
BI_MCI_NOT_WAV="The specified file cannot be played on the specified MCI device. The file may be corrupt, or not in the correct format."
