# Drives the settings dialog from outside; sourced after the harness by the
# cases that change a setting. Not a case itself. Each step waits for what it
# needs to see, with deadlines that hold on a loaded machine.
source "$(dirname "${BASH_SOURCE[0]}")/menus.bash"

# Opens "Настройки", the first row of the dial's menu at X Y: once the menu
# shows, its row is clicked, or else chosen by keyboard. Sets `dlg`; returns 1
# when no dialog showed. With a third argument, screenshots go to
# OUT-PREFIX-<try>.png.
zv_open_settings() {
  local x=$1 y=$2 shots=${3:-} try m mx my
  dlg=""
  for try in click keys; do
    m=$(zv_menu_at "$x" "$y")
    [ -z "$shots" ] || hn_screenshot "$shots-$try.png"
    if [ -n "$m" ]; then
      read -r _ mx my _ _ <<<"$m"
      if [ $try = click ]; then hn_click $((mx + 30)) $((my + 11)); else xdotool key Down Return; fi
      if zv_wait 'Настройки' shown 30; then
        dlg=$(viewable 'Настройки')
        echo "settings dialog $dlg opened by $try: $(hn_window_geometry "$dlg")"
        return 0
      fi
    fi
    xdotool key Escape
  done
  return 1
}

# In the dialog `dlg`: ComboBox1 to its next item, a screenshot to SHOT, then
# "Применить" (Button1: 8, 216, 305 x 25). A click on the combo's edit field
# (184, 24, 97 x 21) focuses it without dropping the list; the X window is the
# client area. With WAV and MARK, the recording is marked just before the
# Apply click.
zv_next_key_and_apply() {
  local shot=$1 wav=${2:-} mark=${3:-} dx dy dw dh
  read -r dx dy dw dh < <(hn_window_geometry "$dlg")
  # Wine takes the click and the key in the order they were sent: the key
  # reaches the combo the click focused, however late.
  hn_click $((dx + 232)) $((dy + 34))
  xdotool key Down
  sleep 0.5  # for the screenshot only
  hn_screenshot "$shot"
  [ -z "$mark" ] || hn_record_mark "$wav" "$mark"
  hn_click $((dx + dw / 2)) $((dy + 238))
}
