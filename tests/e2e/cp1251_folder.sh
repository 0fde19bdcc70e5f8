#!/usr/bin/env bash
# A Russian Windows 7 to 10 1809: the system code page is 1251 and the
# manifest's UTF-8 code page is not honoured. A copy of the exe with that
# element blanked runs under a cp1251 locale from a Cyrillic program folder:
# every window text (read back with GetWindowTextW) is right, the time is
# spoken from that folder, autostart stores the Cyrillic path, and the error
# boxes (no sound device, no config.cfg) read right, and a dir.cfg written in
# code page 1251 leads to the folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin cp1251_folder
source "$here/error_box.bash"
check="$here/cp1251_check.py"

loc=ru_RU.CP1251
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.cp1251'; then
  # localedef warns about the locale's sources and may exit non-zero all the same.
  localedef -i ru_RU -f CP1251 "$loc" >"$CASE_OUT/localedef.log" 2>&1 || true
  locale -a 2>/dev/null | grep -qix 'ru_RU.cp1251' || hn_die "cannot make the $loc locale: $(tail -n 3 "$CASE_OUT/localedef.log")"
fi

base="$ZV_RUN/cases/cp1251_folder"
# Under this locale Wine spells a Windows name on Unix in code page 1251.
prog="$base/$(printf 'Говорящие часы' | iconv -f UTF-8 -t CP1251)"
winprog="$(winepath_z "$base")\\Говорящие часы"
rm -rf "$prog"
cp -r "$ZV_DIST" "$prog"
python3 - "$prog/Zvenoks.exe" <<'PY'
import re, sys
path = sys.argv[1]
exe = open(path, "rb").read()
found = list(re.finditer(rb"<activeCodePage[^>]*>UTF-8</activeCodePage>", exe))
if len(found) != 1:
    sys.exit("error: %d activeCodePage elements in the exe's manifest, not 1" % len(found))
start, end = found[0].span()
open(path, "wb").write(exe[:start] + b" " * (end - start) + exe[end:])
PY
# Wine under the Russian locale; the shell itself stays in its own.
wine1251="$base/wine-cp1251"
printf '#!/bin/sh\nLANG=%s LC_ALL=%s exec "%s" "$@"\n' "$loc" "$loc" "$ZV_WINE" >"$wine1251"
chmod +x "$wine1251"
helper="$base/window_texts.exe"
i686-w64-mingw32-g++ -std=c++20 -municode -static -O1 -Wall -Wextra -Werror \
  -o "$helper" "$here/window_texts.cpp" || hn_die "cannot build window_texts.exe"
# The texts of every window of the clock's process, into FILE.
texts_of() {
  ZV_WINE=$wine1251 hn_wine_run "$CASE_PREFIX" "$base" 120 "$helper" "$(winepath_z "$1")" ||
    { echo "error: window_texts.exe failed (exit $?)"; return 1; }
}

read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
read -r hx hy < <(python3 "$here/face_check.py" hub "$sw" "$sh")
out=$CASE_OUT
rc=0

# Started as autostart starts it, from another folder: the start-up must make
# the Cyrillic folder current. Then "ВРЕМЯ (F11)" is clicked.
start_and_click() {
  ZV_WINE=$wine1251 hn_wine_start "$CASE_PREFIX" "$base" "$1" "$prog/Zvenoks.exe"
  ZV_DIAG_LOG=$1
  hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
  geo=$(hn_wait_maximized Zvenoks 15)
  # shellcheck disable=SC2086
  read -r bx by bw bh < <(hn_caption_box $geo)
  hn_wait_drawn "$bx" "$by" "$bw" "$bh" "the caption box stayed see-through: the clock never showed its controls"
  hn_click $((bx + bw / 2)) $((by + bh / 2))
}

# 1. The chain plays from the Cyrillic folder.
hn_trace_start "$CASE_PREFIX" "$out/strace.log"
hn_record_start "$out/announcement.wav"
start_and_click "$out/wine.log"
hn_wait_chain_end "$out/strace.log" "$out/announcement.wav" "${ZV_CHAIN_TIMEOUT:-60}" || rc=1
hn_screenshot "$out/clock.png"
hn_record_stop
python3 "$check" wavs "$out/strace.log" "$prog" || rc=1

# 2. Every window text, with both dialogs made (each is made when first
# shown): "О программе", the dial menu's second row, then "Настройки", its
# first; the menu hides About, whose window stays. A dialog's X title is its
# caption in UTF-8.
titled() {
  local id
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    xprop -id "$id" -notype _NET_WM_NAME 2>/dev/null | grep -qxF "_NET_WM_NAME = \"$1\"" && echo "$id"
  done
  return 0
}
# Opens the dial's menu left of the hub, where the centred dialogs do not
# reach, and clicks the row whose middle is Y px below its top.
dial_menu_pick() {
  local mx=$((hx - 200)) my=$((hy - 60))
  xdotool mousemove --sync "$mx" "$my" mousedown 3
  sleep 0.15
  xdotool mouseup 3
  sleep 1
  hn_screenshot "$out/menu.png"
  hn_click $((mx + 30)) $((my + $1))
}
dial_menu_pick 28
for _ in $(seq 50); do
  [ -n "$(titled "О программе")" ] && break
  sleep 0.2
done
[ -n "$(titled "О программе")" ] || { echo "error: no window titled 'О программе' came from the dial's menu"; rc=1; }
dial_menu_pick 10
dlg=""
for _ in $(seq 50); do
  dlg=$(titled Настройки | head -n 1)
  [ -n "$dlg" ] && break
  sleep 0.2
done
if [ -n "$dlg" ]; then
  echo "settings dialog $dlg; WM_NAME as xdotool reads it: $(xdotool getwindowname "$dlg" | od -An -c | tr -s " \n" " ")"
  read -r dx dy _ _ < <(hn_window_geometry "$dlg")
  texts_of "$out/texts.txt" || rc=1
  python3 "$check" texts "$out/texts.txt" Zvenoks Настройки "О программе" \
    "Горячая клавиша для" "произнесения времени" "Автозапуск программы при загрузке Windows" \
    Запускать "Для всех пользователей" "Только для меня" Запуск "На весь экран" Применить \
    "Екатеринбург, 2026" "Россия, Урал" || rc=1
  # 3. Autostart on ("Автозапуск...", CheckBox2 at 24,80), then "Применить".
  hn_click $((dx + 32)) $((dy + 88))
  sleep 0.5
  hn_screenshot "$out/settings.png"
  hn_click $((dx + 160)) $((dy + 228))
  sleep 2
  ZV_WINE=$wine1251 hn_wine_run "$CASE_PREFIX" "$base" 120 regedit /E "$(winepath_z "$out/run.reg")" \
    'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run' || true
  if [ -f "$out/run.reg" ]; then
    python3 "$check" run "$out/run.reg" "\"$winprog\\Zvenoks.exe\"" || rc=1
  else
    echo "error: regedit exported no Run key"
    rc=1
  fi
  LC_ALL=C grep -q '[^ -~]' <(tr -d '\r\n' <"$prog/config.cfg") &&
    { echo "error: config.cfg is not ASCII: $(od -An -c "$prog/config.cfg" | tr -s ' \n' ' ')"; rc=1; }
else
  echo "error: no window titled 'Настройки' came from the dial's menu"
  hn_screenshot "$out/nosettings.png"
  rc=1
fi
hn_stop_prefix "$CASE_PREFIX"

# 4. No sound device: the program's own Russian box, naming a recording.
WINEPREFIX="$CASE_PREFIX" hn_timeout 300 "wine reg add" "$ZV_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >"$out/reg.log" 2>&1 ||
  hn_die "could not switch Wine's audio driver off"
start_and_click "$out/wine2.log"
zv_wait_box "$sw" "$sh"
mv "$out/error_box.png" "$out/nosound_box.png"
texts_of "$out/nosound_texts.txt" || rc=1
python3 "$check" contains "$out/nosound_texts.txt" "Не удалось воспроизвести запись «" || rc=1
hn_stop_prefix "$CASE_PREFIX"

# 5. No config.cfg: the box names the Cyrillic folder and the system's reason.
rm -f "$prog/config.cfg"
ZV_WINE=$wine1251 hn_wine_start "$CASE_PREFIX" "$base" "$out/wine3.log" "$prog/Zvenoks.exe"
ZV_DIAG_LOG="$out/wine3.log"
zv_wait_box "$sw" "$sh"
texts_of "$out/box_texts.txt" || rc=1
python3 "$check" contains "$out/box_texts.txt" "\"$winprog\\config.cfg\"" || rc=1
hn_stop_prefix "$CASE_PREFIX"

# 6. A dir.cfg written by hand in code page 1251 leads a copy of the exe kept
# elsewhere to the Cyrillic folder.
printf 'Hotkey=1\r\nKey=1\r\nRun=1\r\n' >"$prog/config.cfg"
mkdir -p "$base/exe" "$base/work"
cp "$prog/Zvenoks.exe" "$base/exe/"
printf '%s\r\n' "$winprog" | iconv -f UTF-8 -t CP1251 >"$base/work/dir.cfg"
hn_trace_start "$CASE_PREFIX" "$out/strace_dircfg.log"
ZV_WINE=$wine1251 hn_wine_start "$CASE_PREFIX" "$base/work" "$out/wine4.log" "$base/exe/Zvenoks.exe"
ZV_DIAG_LOG="$out/wine4.log"
hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
for _ in $(seq 50); do
  python3 "$check" opened "$out/strace_dircfg.log" "$prog/config.cfg" >/dev/null && break
  sleep 0.2
done
python3 "$check" opened "$out/strace_dircfg.log" "$prog/config.cfg" || rc=1
hn_screenshot "$out/dircfg.png"
hn_stop_prefix "$CASE_PREFIX"
unset ZV_DIAG_LOG

[ $rc -eq 0 ] && echo "ok: captions, chain, Run value and error box right under code page 1251"
exit $rc
