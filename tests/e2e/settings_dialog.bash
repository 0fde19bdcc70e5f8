# Drives the settings dialog from outside; sourced after the harness by the
# cases that change a setting. Not a case itself.

# Opens "Настройки", the first row of the dial's menu at X Y: the row is
# clicked, or else chosen by keyboard. Sets `dlg`; returns 1 when no dialog
# showed. With a third argument, screenshots go to OUT-PREFIX-<try>.png.
zv_open_settings() {
  local x=$1 y=$2 shots=${3:-} try
  dlg=""
  for try in click keys; do
    xdotool mousemove --sync "$x" "$y" mousedown 3
    sleep 0.15
    xdotool mouseup 3
    sleep 1
    [ -z "$shots" ] || hn_screenshot "$shots-$try.png"
    if [ $try = click ]; then hn_click $((x + 30)) $((y + 10)); else xdotool key Down Return; fi
    dlg=$(timeout 5 xdotool search --sync --onlyvisible --name '^Настройки$' 2>/dev/null | head -n 1) || true
    [ -n "$dlg" ] && { echo "settings dialog $dlg opened by $try: $(hn_window_geometry "$dlg")"; return 0; }
    xdotool key Escape
  done
  return 1
}

# In the dialog `dlg`: ComboBox1 to its next item, a screenshot to SHOT, then
# "Применить" (Button1: 8, 216, 305 x 25). A click on the combo's edit field
# focuses it without dropping the list; the X window is the client area.
# With WAV and MARK, the recording is marked just before the Apply click.
zv_next_key_and_apply() {
  local shot=$1 wav=${2:-} mark=${3:-} dx dy dw dh
  read -r dx dy dw dh < <(hn_window_geometry "$dlg")
  hn_click $((dx + 232)) $((dy + 34))
  sleep 0.5
  xdotool key Down
  sleep 0.5
  hn_screenshot "$shot"
  [ -z "$mark" ] || hn_record_mark "$wav" "$mark"
  hn_click $((dx + dw / 2)) $((dy + 238))
}
