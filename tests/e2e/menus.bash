# Shared by the e2e cases that open the program's menus; sourced after the
# harness. Not a case itself (scripts/test runs tests/e2e/*.sh).

# "ID X Y W H" of the program's viewable unnamed top-level window: its menu.
zv_menu() {
  xwininfo -root -children | awk '/\(has no name\): \("zvenoks.exe"/ {print $1}' | while read -r id; do
    zv_mapped "$id" || continue
    echo "$id $(hn_window_geometry "$id")"
    break
  done
}
# Right-clicks at X Y; prints the menu's "ID X Y W H" once it shows, or
# nothing after SECS (20: a loaded machine may take seconds to show it).
zv_menu_at() {
  local m="" end=$((SECONDS + ${3:-20}))
  xdotool mousemove --sync "$1" "$2" mousedown 3
  sleep 0.15
  xdotool mouseup 3
  while [ $SECONDS -lt $end ]; do
    m=$(zv_menu)
    [ -n "$m" ] && break
    sleep 0.2
  done
  echo "$m"
}
zv_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
viewable() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
zv_named() { [ -n "$(viewable "$1")" ]; }
# WANT SECS CHECK...: waits up to SECS for CHECK to hold (WANT "shown") or to
# fail ("gone").
zv_poll() {
  local want=$1 end=$((SECONDS + $2))
  shift 2
  while :; do
    if [ "$want" = gone ]; then "$@" || return 0
    else "$@" && return 0; fi
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
# Wait up to SECS (20: a loaded machine may take seconds) for a window named
# NAME, or the window ID, to be viewable (or, with "gone", not).
zv_wait() { zv_poll "${2:-shown}" "${3:-20}" zv_named "$1"; }
zv_wait_mapped() { zv_poll "${2:-shown}" "${3:-20}" zv_mapped "$1"; }
