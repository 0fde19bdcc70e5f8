#!/usr/bin/env bash
# The clock at 144 DPI (150 %): the face as at 96, one and a half times as
# large, with nothing blended into the colour key.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
source "$here/face_scaled.bash"
hn_case_begin face_150
face_scaled 144
