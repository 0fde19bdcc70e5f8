#!/usr/bin/env bash
# "Voice=anna", spoken colloquially: the Time command opens that pack's
# recordings, in the chain's order; with the pack gone the next one falls
# back to the standard voice, in the same style, and says so in one box.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
source "$here/error_box.bash"
hn_case_begin voice_pack

prog=$(hn_case_program voice_pack 'Hotkey=0\r\nKey=1\r\nRun=1\r\n')
printf 'Voice=anna\r\nStyle=2\r\n' >"$prog/announce.cfg"
wav="$CASE_OUT/sound.wav"
read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')

hn_case_start "$prog" "$wav"
geo=$(hn_wait_maximized Zvenoks 120)
# shellcheck disable=SC2086
read -r bx by bw bh < <(hn_caption_box $geo)
hn_wait_drawn "$bx" "$by" "$bw" "$bh" "the clock never showed its controls"
rc=0

say() {
  since=$(date +%s.%N)
  hn_click $((bx + bw / 2)) $((by + bh / 2))
}
say
hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 || rc=1
python3 "$here/schedule_check.py" voice "$CASE_OUT/strace.log" "$since" 'voices/anna' --style 2 || rc=1

rm -rf "$prog/voices/anna"
say
zv_wait_box "$sw" "$sh"
zv_dismiss_box "$sw" "$sh"
# The chain starts once the box is gone; before it, the last chain's end.
sleep 1.5
hn_wait_chain_end "$CASE_OUT/strace.log" "$wav" 30 || rc=1
python3 "$here/schedule_check.py" voice "$CASE_OUT/strace.log" "$since" '' --style 2 || rc=1
# Said once: the next one speaks without a box.
say
sleep 3
if [ -n "$(zv_box "$sw" "$sh")" ]; then echo "error: a second box about the voice"; rc=1; fi
exit $rc
