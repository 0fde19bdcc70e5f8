#!/usr/bin/env bash
# "Применить" in a program folder that takes no new file (Program Files, a
# machine-wide package): the settings go to %APPDATA%\Zvenoks\config.cfg, with
# no box, and the program folder is left as it was. When that cannot be
# written either, the "Cannot create file" box comes, the dialog is gone and
# the hotkey stays as it was (Print Screen still speaks: a re-registration
# for the new key would have unregistered it). Root ignores Unix permissions,
# and Wine run as root writes a file of mode 0444 (its read-only attribute)
# all the same; a read-only bind mount of the program folder stops even root.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin badinput_apply
source "$here/error_box.bash"
source "$here/badinput.bash"
source "$here/settings_dialog.bash"

prog="$ZV_RUN/cases/badinput_apply/Zvenoks"
rm -rf "$prog"
cp -r "$ZV_DIST" "$prog"
# The clock keeps the folder busy: stop it before the mount goes.
trap 'hn_record_stop; hn_stop_prefix "$CASE_PREFIX"; umount -l "$prog" 2>/dev/null || true' EXIT
bi_session

# The case runs in the harness's own mount namespace: nobody outside sees it.
lock_readonly_folder() {
  mount --bind "$prog" "$prog" && mount -o remount,bind,ro "$prog" ||
    hn_die "could not make $prog a read-only bind mount"
}
unlock_readonly_folder() { umount "$prog" || umount -l "$prog"; }

appdata="$CASE_PREFIX/drive_c/users/$(id -un)/AppData/Roaming"
[ -d "$appdata" ] || hn_die "no $appdata in the prefix"
# The user's folder is free, or taken by a file of its name.
user_free() { rm -rf "$appdata/Zvenoks"; }
user_blocked() { rm -rf "$appdata/Zvenoks"; : >"$appdata/Zvenoks"; }

for name in readonly_folder readonly_folder_user_blocked; do
  errors=$bi_errors
  case $name in *_blocked) user_blocked ;; *) user_free ;; esac
  printf 'Hotkey=1\r\nKey=3\r\nRun=1\r\n' >"$prog/config.cfg"
  cp "$prog/config.cfg" "$CASE_OUT/$name.config.cfg"
  log="$CASE_OUT/$name.wine.log"
  lock_readonly_folder
  # Not even root can write there.
  if (: >>"$prog/config.cfg") 2>/dev/null; then bi_fail "$name: config.cfg can still be written"; fi
  bi_snapshot "$prog" >"$CASE_OUT/$name.files"
  bi_clock_start "$prog" "$log" "$prog/config.cfg" || { bi_fail "$name: no start-up"; bi_clock_stop; unlock_readonly_folder; continue; }
  bi_state full $name
  if zv_open_settings "$BI_HX" "$BI_HY"; then
    # PrintScreen becomes ScrollLock.
    zv_next_key_and_apply "$CASE_OUT/$name.dialog.png"
    if [ $name = readonly_folder ]; then
      want=$(printf 'Hotkey=1\r\nKey=4\r\nRun=1\r\n' | od -An -c | tr -s ' \n' ' ')
      got=""
      for _ in $(seq 100); do
        got=$(od -An -c "$appdata/Zvenoks/config.cfg" 2>/dev/null | tr -s ' \n' ' ' || true)
        [ "$got" = "$want" ] && break
        sleep 0.2
      done
      [ "$got" = "$want" ] && echo "$name: %APPDATA%\\Zvenoks\\config.cfg holds the new key" ||
        bi_fail "$name: %APPDATA%\\Zvenoks\\config.cfg 20 s after Apply is [$got], expected [$want]"
      if bi_find_box 3; then
        bi_fail "$name: a box came: $(python3 "$BI_CHECK" boxtext "$log")"
        bi_dismiss $name
      fi
    elif bi_find_box 15; then
      sleep 0.5
      hn_screenshot "$CASE_OUT/$name.box.png"
      want="Cannot create file \"C:\\users\\$(id -un)\\AppData\\Roaming\\Zvenoks\\config.cfg\". "
      line=$(bi_texts "$log" | grep -F -- "$want" | tail -n 1 || true)
      if [ -z "$line" ]; then
        bi_fail "$name: no box text starts with '$want'; the last set: $(python3 "$BI_CHECK" boxtext "$log")"
      else
        echo "$name: box text: $line"
        [[ $line == "$want"*[!.\ ]. ]] || bi_fail "$name: '$line' is not '$want<reason>.'"
      fi
      bi_dismiss $name
      if bi_find_box 3; then bi_fail "$name: another box came: $(python3 "$BI_CHECK" boxtext "$log")"; bi_dismiss $name; fi
    else
      bi_fail "$name: no error box within 15 s of Apply"
      hn_screenshot "$CASE_OUT/$name.nobox.png"
    fi
    xdotool search --onlyvisible --name '^Настройки$' >/dev/null 2>&1 &&
      bi_fail "$name: the settings dialog is still on the screen after Apply"
  else
    bi_fail "$name: the dial's menu opened no settings dialog"
    hn_screenshot "$CASE_OUT/$name.nomenu.png"
  fi
  cmp -s "$prog/config.cfg" "$CASE_OUT/$name.config.cfg" ||
    bi_fail "$name: config.cfg changed: $(od -An -c "$prog/config.cfg" | tr -s ' \n' ' ')"
  bi_same_files "$CASE_OUT/$name.files" "$prog" $name
  if [ $name != readonly_folder ]; then
    # Well past the next tick, which would re-register after a successful Apply.
    sleep 1.5
    # The clock itself handles no Print Screen: only a hotkey speaks.
    bi_press Print $name-print "$(hn_largest_window Zvenoks)"
    bi_heard spoke $name-print | sed "s/^/$name: /" || bi_fail "$name: Print Screen no longer speaks after the failed Apply"
  fi
  bi_alive "$log" $name
  bi_clock_stop
  unlock_readonly_folder
  [ "$bi_errors" -eq "$errors" ] && echo "ok: $name" || echo "FAILED: $name"
done
exit $bi_rc
