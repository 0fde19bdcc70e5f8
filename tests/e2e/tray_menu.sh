#!/usr/bin/env bash
# The tray icon's menu: a right click on the icon opens it; "Время" speaks,
# "Дата" says the date,
# "Оповещения…" shows the announcements dialog, "Свернуть" hides the clock and
# the same row then reads "Показать" and brings it back.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
source "$here/menus.bash"
hn_case_begin tray_menu

prog=$(hn_case_program tray_menu 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
wav="$CASE_OUT/sound.wav"
# Rows from the menu's top: Свернуть/Показать, Время, Дата, Настройки,
# Оповещения…, О программе, Размер, the separator, Выход.
rows=(11 28 45 62 79 96 113 126 140)

hn_case_start "$prog" "$wav"
clock=$(hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}")
hn_wait_settings_read "$CASE_OUT/strace.log"
zv_wait "Wine System Tray" || hn_die "no tray icon"
read -r tx ty _ _ < <(hn_window_geometry "$(viewable "Wine System Tray")")
sleep 1
rc=0

# Right-clicks the icon and clicks row N (the menu saved as menu-N.png); with
# MARK, marks the recording just before the click.
zv_tray_pick() {
  local m id mx my
  m=$(zv_menu_at $((tx + 10)) $((ty + 10)))
  if [ -z "$m" ]; then
    hn_screenshot "$CASE_OUT/no_menu.png"
    hn_die "a right click on the tray icon opened no menu (no_menu.png)"
  fi
  read -r id mx my _ _ <<<"$m"
  sleep 0.5
  hn_screenshot "$CASE_OUT/menu-$1.png"
  [ $# -lt 2 ] || hn_record_mark "$wav" "$2"
  hn_click $((mx + 30)) $((my + rows[$1]))
}

zv_tray_pick 1 tray_time
python3 "$here/hotkey_check.py" spoke "$CASE_OUT/strace.log" "$wav" tray_time --within 4 || rc=1
hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 >/dev/null 2>&1 || true

zv_tray_pick 2 tray_date
python3 "$here/hotkey_check.py" date "$CASE_OUT/strace.log" "$wav" tray_date --within 10 || rc=1
hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 >/dev/null 2>&1 || true

zv_tray_pick 4
zv_wait "Оповещения" || { echo "error: \"Оповещения…\" showed no announcements dialog"; rc=1; }
sleep 0.5
hn_screenshot "$CASE_OUT/announcements.png"

zv_tray_pick 0
if ! zv_wait_mapped "$clock" gone; then
  hn_screenshot "$CASE_OUT/not_hidden.png"
  echo "error: \"Свернуть\" left the clock on the screen (not_hidden.png)"; rc=1
fi
zv_tray_pick 0
zv_wait_mapped "$clock" || { echo "error: \"Показать\" did not bring the clock back"; rc=1; }
[ $rc -eq 0 ] && echo "ok: the tray menu spoke, showed the dialog, hid and showed the clock"
exit $rc
