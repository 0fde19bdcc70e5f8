#!/usr/bin/env bash
# A click on "ВРЕМЯ (F11)" speaks the time: the recordings the program opens,
# in order, are the chain for the time of the click, and what is heard lasts
# as long as those recordings plus short gaps.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin announce

rc=0
hn_announce_once "$CASE_PREFIX" "$CASE_OUT" || rc=1
python3 "$here/announce_check.py" "$CASE_OUT" "$ZV_DIST" || rc=1
exit $rc
