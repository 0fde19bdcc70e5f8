# Shared by the e2e cases that open the program's menus; sourced after the
# harness. Not a case itself (scripts/test runs tests/e2e/*.sh).

# "ID X Y W H" of the program's viewable unnamed top-level window: its menu.
zv_menu() {
  xwininfo -root -children | awk '/\(has no name\): \("zvenoks.exe"/ {print $1}' | while read -r id; do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' || continue
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
viewable() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
# Waits up to SECS (20) for a window named NAME to be viewable (or, with
# "gone", not).
zv_wait() {
  local name=$1 want=${2:-shown} end=$((SECONDS + ${3:-20}))
  while :; do
    if [ "$want" = gone ]; then [ -n "$(viewable "$name")" ] || return 0
    else [ -z "$(viewable "$name")" ] || return 0; fi
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
