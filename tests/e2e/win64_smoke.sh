#!/usr/bin/env bash
# The 64-bit package as Scoop installs it: unpacked, with the empty
# announce.cfg its manifest makes. Under 64-bit Wine, which runs it natively,
# the exe starts, shows no error box, and a click on "ВРЕМЯ (F11)" plays the
# chain for the time of the click from its own folder. Sound timing is the
# 32-bit build's to meet (announce): 64-bit Wine's driver here reports a
# clip's end late.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
[ -n "${ZV_RUN:-}" ] && [ -n "${DISPLAY:-}" ] && [ -n "${PULSE_SERVER:-}" ] ||
  hn_die "no harness session: run this case as 'scripts/test e2e win64_smoke'"
CASE_OUT="$ZV_ROOT/out/e2e/win64_smoke"
rm -rf "$CASE_OUT"
mkdir -p "$CASE_OUT"
prefix=$(hn_prefix_new "$ZV_RUN/cases/win64_smoke" win64)
trap 'hn_record_stop; hn_stop_prefix "$prefix"' EXIT

zip="$ZV_ROOT/dist/Zvenoks-$(hn_version)-win64.zip"
[ -f "$zip" ] || hn_die "no $zip: hn_dist packs it"
prog="$ZV_RUN/cases/win64_smoke/app"
rm -rf "$prog"
mkdir -p "$prog"
unzip -q "$zip" -d "$prog"
prog="$prog/Zvenoks"
: >"$prog/announce.cfg"

rc=0
# The +win trace names the text of any box the program shows.
WINEDEBUG=-all,+win ZV_DIST=$prog hn_announce_once "$prefix" "$CASE_OUT" || rc=1
python3 "$here/startup_check.py" texts "$CASE_OUT/wine.log" >"$CASE_OUT/texts.txt"
if grep -q 'announce\.cfg\|Cannot \|Не удалось' "$CASE_OUT/texts.txt"; then
  echo "error: an error box was shown: $(grep 'announce\.cfg\|Cannot \|Не удалось' "$CASE_OUT/texts.txt" | head -n 3)"
  rc=1
fi
python3 "$here/startup_check.py" wavs "$CASE_OUT/strace.log" "$prog" || rc=1
python3 - "$here" "$CASE_OUT" <<'PY' || rc=1
import os, sys
sys.path[:0] = [sys.argv[1], os.path.join(sys.argv[1], "..", "..", "scripts", "lib")]
import analyze, announce_check, chain
out = sys.argv[2]
m = announce_check.marks(os.path.join(out, "announcement.wav"))
played = tuple(n for _, n in analyze.opened_wavs(os.path.join(out, "strace.log")))
print("recordings opened:", " ".join(played) or "(none)")
sys.exit(0 if played in chain.possible_chains(announce_check.clock_times(m["click"] - 3, m["end"])) else 1)
PY
[ $rc -eq 0 ] && echo "ok: the 64-bit package speaks the time, no error box"
exit $rc
