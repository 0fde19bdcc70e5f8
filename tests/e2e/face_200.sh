#!/usr/bin/env bash
# The clock at 192 DPI (200 %) on a screen of its own large enough for a face
# twice the size: as at 96, twice as large, nothing blended into the key.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
source "$here/face_scaled.bash"
hn_case_begin face_200
ZV_SCREEN=1920x1440x24 hn_xvfb_start
trap 'hn_record_stop; hn_stop_prefix "$CASE_PREFIX"; hn_kill "$ZV_XVFB_PID"' EXIT
face_scaled 192
