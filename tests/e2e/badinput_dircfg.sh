#!/usr/bin/env bash
# Started from a folder whose "dir.cfg" names a folder that does not exist:
# the change of directory fails silently and the starting folder stays
# current, so the settings and the recordings are looked up there. No file
# dialog is shown and no file is written.
#   no_config: no config.cfg there either: its "Cannot open file" box, the
#     clock full-screen, and a click finds no recording: the missing-file box.
#   config:    a config.cfg there with Run=2 is the one read: the clock hides.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin badinput_dircfg
source "$here/error_box.bash"
source "$here/badinput.bash"

base="$ZV_RUN/cases/badinput_dircfg"
exed="$base/exe" work="$base/work"
rm -rf "$exed" "$work"
mkdir -p "$exed" "$work"
cp "$ZV_DIST/Zvenoks.exe" "$exed/"
bi_session

# Checks that the box text starts with PREFIX and ends "<reason>."
bi_box_starts() {
  local name=$1 prefix=$2 line
  line=$(bi_texts "$CASE_OUT/$name.wine.log" | grep -F -- "$prefix" | tail -n 1 || true)
  if [ -z "$line" ]; then
    bi_fail "$name: no box text starts with '$prefix'; the last set: $(python3 "$BI_CHECK" boxtext "$CASE_OUT/$name.wine.log")"
  else
    echo "$name: box text: $line"
    [[ $line == "$prefix"*[!.\ ]. ]] || bi_fail "$name: '$line' is not '$prefix<reason>.'"
  fi
}

for name in no_config config; do
  errors=$bi_errors
  rm -rf "${work:?}"/*
  printf '%s\r\n' "$(winepath_z "$base/gone")" >"$work/dir.cfg"
  [ $name = config ] && printf 'Hotkey=1\r\nKey=1\r\nRun=2\r\n' >"$work/config.cfg"
  bi_snapshot "$work" >"$CASE_OUT/$name.files"
  bi_snapshot "$exed" >"$CASE_OUT/$name.exe.files"
  log="$CASE_OUT/$name.wine.log"
  cfg="$work/config.cfg"
  [ $name = no_config ] && cfg=""
  bi_clock_start "$work" "$log" "$cfg" "$exed/Zvenoks.exe" || { bi_fail "$name: no start-up"; bi_clock_stop; continue; }
  hn_locate_dialog_shown &&
    bi_fail "$name: the file dialog was shown although dir.cfg was there"
  if [ $name = no_config ]; then
    if bi_find_box 15; then
      bi_box_starts $name "Cannot open file \"$(winepath_z "$work")\\config.cfg\". "
      bi_dismiss $name
    else
      bi_fail "$name: no box for the missing config.cfg"
    fi
    bi_state full $name
    bi_click_time $name-click
    if bi_find_box 15; then
      n=$(bi_texts "$log" | tail -n 1)
      echo "$name: box after the click: $n"
      [ "$BI_MCI_NOT_FOUND" = "?" ] || [ "$n" = "$BI_MCI_NOT_FOUND" ] ||
        bi_fail "$name: the box after the click does not read \"$BI_MCI_NOT_FOUND\""
      bi_dismiss $name
    else
      bi_fail "$name: a click with no recordings in the starting folder showed no box"
    fi
    hn_record_mark "$BI_WAV" $name-after
    python3 "$BI_CHECK" opened "$BI_STRACE" "$BI_WAV" $name-click $name-after | sed "s/^/$name: /"
  else
    if bi_find_box 3; then
      bi_fail "$name: an error box came: $(python3 "$BI_CHECK" boxtext "$log")"
      bi_dismiss $name
    fi
    bi_state hidden $name
  fi
  bi_alive "$log" $name
  bi_clock_stop
  bi_same_files "$CASE_OUT/$name.files" "$work" $name
  bi_same_files "$CASE_OUT/$name.exe.files" "$exed" $name
  [ "$bi_errors" -eq "$errors" ] && echo "ok: $name" || echo "FAILED: $name"
done
exit $bi_rc
