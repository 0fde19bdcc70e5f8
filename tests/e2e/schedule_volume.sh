#!/usr/bin/env bash
# "Volume=50" in announce.cfg: the time is heard 6 dB below "Volume=100",
# measured on what the null sink recorded of the same click.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin schedule_volume

rc=0
for v in 100 50; do
  prog=$(hn_case_program "schedule_volume/v$v")
  printf 'Volume=%s\r\n' "$v" >"$prog/announce.cfg"
  p=$(hn_prefix_new "$ZV_RUN/cases/schedule_volume/prefix-$v")
  ZV_DIST=$prog hn_announce_once "$p" "$CASE_OUT/v$v" || rc=1
done
python3 "$here/schedule_check.py" louder "$CASE_OUT/v100/announcement.wav" \
  "$CASE_OUT/v50/announcement.wav" 6.02 --tolerance 1 || rc=1
exit $rc
