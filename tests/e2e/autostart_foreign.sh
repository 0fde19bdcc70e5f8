#!/usr/bin/env bash
# Another program's autostart under the clock's value name "MyApplication"
# (unquoted, with an argument): the settings dialog shows autostart off, a
# click on its box brings one box naming that program, and the value stays
# exactly as that program wrote it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin autostart_foreign
source "$here/error_box.bash"
source "$here/badinput.bash"
source "$here/settings_dialog.bash"

prog=$(hn_case_program autostart_foreign 'Hotkey=1\r\nKey=1\r\nRun=1\r\n')
# The box's whole text: the +win trace cuts long texts short.
helper="$ZV_RUN/cases/autostart_foreign/window_texts.exe"
i686-w64-mingw32-g++ -std=c++20 -municode -static -O1 -Wall -Wextra -Werror \
  -o "$helper" "$here/window_texts.cpp" || hn_die "cannot build window_texts.exe"
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
other='C:\windows\notepad.exe /min'
reg() { WINEPREFIX="$CASE_PREFIX" hn_timeout 300 "wine reg $1" "$ZV_WINE" reg "$@" 2>&1 | tr -d '\r'; }
reg add "$run" /v MyApplication /d "$other" /f >"$CASE_OUT/reg.log"
bi_session
log="$CASE_OUT/wine.log"
bi_clock_start "$prog" "$log" "$prog/config.cfg" || hn_die "no start-up"
zv_open_settings "$BI_HX" "$BI_HY" "$CASE_OUT/menu" || hn_die "no settings dialog"
read -r dx dy _ _ < <(hn_window_geometry "$dlg")
hn_screenshot "$CASE_OUT/dialog.png"
# CheckBox2: 24, 80, 265 x 17 in the client area.
hn_click $((dx + 30)) $((dy + 88))
if bi_find_box 15; then
  sleep 0.5
  hn_screenshot "$CASE_OUT/box.png"
  want='уже записана другая программа: C:\windows\notepad.exe. '
  hn_wine_run "$CASE_PREFIX" "$CASE_OUT" 120 "$helper" "$(winepath_z "$CASE_OUT/texts.txt")" ||
    bi_fail "window_texts.exe failed"
  line=$(grep -F -- "$want" "$CASE_OUT/texts.txt" || true)
  if [ -n "$line" ]; then
    echo "box text: $line"
  else
    bi_fail "no box names the other program: $(tr '\n' '|' <"$CASE_OUT/texts.txt")"
  fi
  bi_dismiss box
  if bi_find_box 3; then bi_fail "another box came: $(python3 "$BI_CHECK" boxtext "$log")"; bi_dismiss second; fi
  hn_screenshot "$CASE_OUT/after.png"
else
  hn_screenshot "$CASE_OUT/nobox.png"
  bi_fail "no box within 15 s of the click on the autostart box"
fi
bi_alive "$log" "autostart_foreign"
bi_clock_stop
# reg fails when the value is gone.
value=$(reg query "$run" /v MyApplication | awk '/MyApplication/{sub(/^ *MyApplication +REG_SZ +/, ""); print}' || true)
[ "$value" = "$other" ] || bi_fail "the value is now '$value', not '$other'"
hklm=$(reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v MyApplication || true)
if grep -q 'REG_SZ' <<<"$hklm"; then bi_fail "a value appeared for all users: $hklm"; fi
[ $bi_rc -eq 0 ] && echo "ok: another program's autostart is shown off, named in one box and left as it was"
exit $bi_rc
