#!/usr/bin/env bash
# The dial's right-click menu, item by item, and the in-window F11: with
# "Hotkey=0" no global hotkey takes F11 first.
#   - a right click on the skin outside the dial's picture opens nothing;
#   - "Настройки", "О программе" and "Оповещения…" show their dialogs, About
#     centred;
#   - activating the clock hides them;
#   - "Время" and F11 speak, "Дата" says the date; "Свернуть" hides the clock, the tray icon stays;
#   - "Выход" ends the program and takes the tray icon with it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
source "$here/menus.bash"
hn_case_begin menu_commands

prog=$(hn_case_program menu_commands 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
wav="$CASE_OUT/sound.wav"

read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")

# The rows' middles from the menu's top: seven items ("Размер" the seventh),
# the separator, "Выход".
rows=(11 28 45 62 79 96 113 126 140)
# Opens the menu on the dial, left of the hub where the centred dialogs do
# not reach, and clicks row N (0-based); with MARK, marks the recording just
# before the click.
zv_menu_pick() {
  local m id mx my
  m=$(zv_menu_at $((hx - 200)) $((hy - 60)))
  if [ -z "$m" ]; then
    hn_screenshot "$CASE_OUT/no_menu.png"
    hn_die "a right click on the dial opened no menu (no_menu.png)"
  fi
  read -r id mx my _ _ <<<"$m"
  sleep 0.5
  [ $# -lt 2 ] || hn_record_mark "$wav" "$2"
  hn_click $((mx + 30)) $((my + rows[$1]))
}
# "spoke MARK": the check that a chain began after the mark, then its end.
zv_spoke() {
  python3 "$here/hotkey_check.py" spoke "$CASE_OUT/strace.log" "$wav" "$1" --within 3 || rc=1
  hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 >/dev/null 2>&1 || true
}

hn_case_start "$prog" "$wav"
clock=$(hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}")
hn_wait_drawn $((hx - 20)) $((hy - 20)) 40 40 "the hub: no dial to right-click"
sleep 1
rc=0

# The skin left of the dial's picture (dark, not see-through); a menu would
# show within 3 s.
m=$(zv_menu_at $((hx - 330)) "$hy" 3)
hn_screenshot "$CASE_OUT/outside.png"
if [ -n "$m" ]; then
  echo "error: a right click on the skin outside the dial opened a menu ($m)"
  rc=1
  xdotool key Escape
else
  echo "ok: no menu outside the dial"
fi

m=$(zv_menu_at "$hx" "$hy")
[ -n "$m" ] || hn_die "a right click on the dial opened no menu"
sleep 0.5
hn_screenshot "$CASE_OUT/menu.png"
echo "menu: $m"
# A click on the separator chooses nothing and leaves the menu open.
read -r _ mx my _ _ <<<"$m"
hn_click $((mx + 30)) $((my + rows[6]))
sleep 0.7
[ -n "$(zv_menu)" ] || { echo "error: a click on the separator closed the menu"; rc=1; }
xdotool key Escape
sleep 0.5

zv_menu_pick 0
zv_wait "Настройки" || { echo "error: \"Настройки\" showed no settings dialog"; rc=1; }
hn_screenshot "$CASE_OUT/settings.png"
# The right click that opens the menu again activates the clock, which hides
# the settings dialog.
zv_menu_pick 1
zv_wait "Настройки" gone || { echo "error: the settings dialog stayed when the clock was activated"; rc=1; }
if zv_wait "О программе"; then
  sleep 0.5
  read -r ax ay aw ah < <(hn_window_geometry "$(viewable "О программе")")
  echo "About: $ax $ay $aw $ah"
  # The X window is the client area (253 x 160): centred, its frame and
  # caption round it, it stands at the screen's middle give or take the caption.
  [ "$aw" -eq 253 ] && [ "$ah" -eq 160 ] || { echo "error: About's client area is ${aw}x$ah, not 253x160"; rc=1; }
  dx=$((ax + aw / 2 - sw / 2)) dy=$((ay + ah / 2 - sh / 2))
  [ ${dx#-} -le 2 ] && [ "$dy" -ge -2 ] && [ "$dy" -le 20 ] ||
    { echo "error: About is not centred: its middle is $dx, $dy px off the screen's"; rc=1; }
else
  echo "error: \"О программе\" showed no About dialog"
  rc=1
fi
hn_screenshot "$CASE_OUT/about.png"

zv_menu_pick 5
zv_wait "Оповещения" || { echo "error: \"Оповещения…\" showed no announcements dialog"; rc=1; }
sleep 0.5
hn_screenshot "$CASE_OUT/announcements.png"

# A click on the skin below the dialogs, clear of the captions, activates the clock.
hn_click "$hx" $((hy + 200))
zv_wait "О программе" gone || { echo "error: the About dialog stayed when the clock was activated"; rc=1; }
zv_wait "Оповещения" gone || { echo "error: the announcements dialog stayed when the clock was activated"; rc=1; }
[ $rc -eq 0 ] && echo "ok: the menu showed each dialog, activating the clock hid it"

zv_menu_pick 3 menu_time
zv_spoke menu_time

zv_menu_pick 4 menu_date
python3 "$here/hotkey_check.py" date "$CASE_OUT/strace.log" "$wav" menu_date --within 10 || rc=1
hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 >/dev/null 2>&1 || true

timeout 10 xdotool windowfocus --sync "$clock" || hn_die "could not focus the clock ($clock)"
sleep 0.3
hn_record_mark "$wav" f11
xdotool key F11
zv_spoke f11

zv_menu_pick 2
zv_wait_mapped "$clock" gone || { echo "error: \"Свернуть\" left the clock on the screen"; rc=1; }
tray=$(viewable "Wine System Tray")
[ -n "$tray" ] || { echo "error: no tray icon while the clock is hidden"; rc=1; }
hn_screenshot "$CASE_OUT/hidden.png"
# The tray icon brings it back.
if [ -n "$tray" ]; then
  read -r tx ty _ _ < <(hn_window_geometry "$tray")
  hn_click $((tx + 10)) $((ty + 10))
  zv_wait_mapped "$clock" || { echo "error: a click on the tray icon did not bring the clock back"; rc=1; }
fi
sleep 1

zv_menu_pick 8
for _ in $(seq 50); do
  kill -0 "$ZV_PID" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$ZV_PID" 2>/dev/null; then
  echo "error: the program still runs 10 s after \"Выход\""
  rc=1
else
  echo "ok: \"Выход\" ended the program"
fi
# Wine's tray window goes when its last icon does.
zv_wait "Wine System Tray" gone || { echo "error: the tray icon stayed after the program ended"; rc=1; }
hn_screenshot "$CASE_OUT/after_exit.png"
exit $rc
