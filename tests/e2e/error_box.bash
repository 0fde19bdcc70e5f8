# Shared by the e2e cases that expect the program's error box; sourced after
# the harness. Not a case itself (scripts/test runs tests/e2e/*.sh).

# Prints "ID X Y W H" of each visible window titled Zvenoks.
zv_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Zvenoks$' 2>/dev/null); do
    echo "$id $(hn_window_geometry "$id")"
  done
}
# The error box: a visible "Zvenoks" window of dialog size (the hidden
# application window is 1x1).
zv_box() { zv_windows | awk -v sw="$1" -v sh="$2" '$4 >= 100 && $5 >= 50 && $4 < sw/2 && $5 < sh/2 {print $1; exit}'; }

# Waits up to 15 s for the box and sets `box`; saves the windows and a
# screenshot to CASE_OUT either way.
zv_wait_box() {
  box=""
  for _ in $(seq 75); do
    box=$(zv_box "$1" "$2")
    [ -n "$box" ] && break
    sleep 0.2
  done
  # A box just mapped may not be painted yet.
  sleep 1
  zv_windows >"$CASE_OUT/windows.txt"
  hn_screenshot "$CASE_OUT/error_box.png"
  [ -n "$box" ] || hn_die "no error box: no small window titled Zvenoks within 15s (windows: $(tr '\n' ';' <"$CASE_OUT/windows.txt"))"
}

# Presses Return on the box and waits up to 10 s for it to go.
zv_dismiss_box() {
  hn_key "$box" Return
  for _ in $(seq 50); do
    [ -z "$(zv_box "$1" "$2")" ] && break
    sleep 0.2
  done
  [ -z "$(zv_box "$1" "$2")" ] || hn_die "the error box stayed after Return"
}
