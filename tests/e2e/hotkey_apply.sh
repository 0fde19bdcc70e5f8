#!/usr/bin/env bash
# Changing the hotkey in "Настройки": choosing ScrollLock and pressing
# "Применить" writes the new key to config.cfg and moves the hotkey at once:
# Scroll Lock speaks the time and Print Screen no longer does.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
source "$here/settings_dialog.bash"
hn_case_begin hotkey_apply

prog=$(hn_case_program hotkey_apply 'Hotkey=1\r\nKey=3\r\nRun=1\r\n')
wav="$CASE_OUT/sound.wav"

read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")

hn_trace_start "$CASE_PREFIX" "$CASE_OUT/strace.log"
hn_record_start "$wav"
# Notepad first, out of the dial's way: the keys are sent from it later.
hn_wine_start "$CASE_PREFIX" "$CASE_OUT" "$CASE_OUT/notepad.log" notepad
note=$(hn_wait_window '.*Notepad' 120)
xdotool windowsize --sync "$note" 300 150 2>/dev/null || true
xdotool windowmove --sync "$note" 0 0 2>/dev/null || true

hn_wine_start "$CASE_PREFIX" "$prog" "$CASE_OUT/wine.log" Zvenoks.exe
ZV_DIAG_LOG="$CASE_OUT/wine.log"
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
# The menu opens only over a drawn dial.
hn_wait_drawn $((hx - 20)) $((hy - 20)) 40 40 "the hub: no dial to right-click"

zv_open_settings "$hx" "$hy" "$CASE_OUT/menu" ||
  hn_die "the dial's menu opened no visible window named Настройки (screenshots menu-*.png)"
# PrintScreen becomes ScrollLock.
zv_next_key_and_apply "$CASE_OUT/dialog.png" "$wav" apply

want=$(printf 'Hotkey=1\r\nKey=4\r\nRun=1\r\n' | od -An -c | tr -s ' \n' ' ')
got=""
end=$((SECONDS + 30))
while [ $SECONDS -lt $end ]; do
  got=$(od -An -c "$prog/config.cfg" | tr -s ' \n' ' ')
  [ "$got" = "$want" ] && break
  sleep 0.2
done
rc=0
cp "$prog/config.cfg" "$CASE_OUT/config.cfg"
if [ "$got" = "$want" ]; then
  echo "ok: config.cfg after Apply is Hotkey=1 Key=4 Run=1"
else
  echo "error: config.cfg 30 s after Apply is [$got], expected [$want]"
  rc=1
fi
zv_wait 'Настройки' gone || { echo "error: the settings dialog is still visible 20 s after Apply"; rc=1; }

# The hotkey moves at the next tick: the second hand's second move since
# config.cfg was written comes from a tick after Apply. Print Screen goes
# first: once Scroll Lock is on, Wine sends a made-up Scroll Lock press with
# the next key (Xvfb keeps no Scroll Lock state), which would speak.
hn_wait_redrawn $((hx - 100)) $((hy - 100)) 200 200 2 ||
  hn_die "the dial did not move for 30 s after Apply: no tick to move the hotkey"
timeout 10 xdotool windowfocus --sync "$note" || hn_die "could not focus Notepad ($note)"
sleep 0.3
hn_record_mark "$wav" print
xdotool key Print
python3 "$here/hotkey_check.py" silent "$CASE_OUT/strace.log" "$wav" print --for 3 || rc=1
# If Print Screen spoke, Scroll Lock must wait for that chain to end.
hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 >/dev/null 2>&1 || true
timeout 10 xdotool windowfocus --sync "$note" || hn_die "could not focus Notepad ($note)"
sleep 0.3
hn_record_mark "$wav" scroll
xdotool key Scroll_Lock
python3 "$here/hotkey_check.py" spoke "$CASE_OUT/strace.log" "$wav" scroll --within 3 || rc=1
hn_screenshot "$CASE_OUT/screen.png"
exit $rc
