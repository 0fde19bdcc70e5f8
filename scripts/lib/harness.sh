# shellcheck shell=bash
# Shared by scripts/run, scripts/test and tests/e2e: builds, the ready-to-run
# folder, and a private Xvfb + PulseAudio + Wine session. Source it; every
# function dies with a clear message on failure. The concerns have files of
# their own beside it: package.sh, session.sh, wine.sh, desktop.sh.
#
# A session lives in one temp dir ($ZV_RUN): Xvfb on a free display from :90,
# a PulseAudio daemon with its own runtime dir and a null sink "cap", a
# template WINEPREFIX made once, and one copy of it per program run.

ZV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ZV_LIB="$ZV_ROOT/scripts/lib"
ZV_DIST=${ZV_DIST:-$ZV_ROOT/dist/Zvenoks}
ZV_WINE=${ZV_WINE:-/usr/lib/wine/wine}
ZV_WINE64=${ZV_WINE64:-/usr/lib/wine/wine64}
ZV_WINEARCH=${ZV_WINEARCH:-win32}
ZV_SCREEN=${ZV_SCREEN:-1280x1024x24}
export WINEDEBUG=${ZV_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="

hn_log() { printf '[%s] %s\n' "$(date +%T)" "$*" >&2; }
# ZV_DIAG_LOG names a log whose tail explains a failure (a program's output).
hn_die() {
  printf 'error: %s\n' "$*" >&2
  if [ -s "${ZV_DIAG_LOG:-}" ]; then
    echo "--- last lines of $ZV_DIAG_LOG:" >&2
    tail -n 15 "$ZV_DIAG_LOG" >&2
  fi
  exit 1
}

# Runs "$@" with a deadline; dies naming what timed out.
hn_timeout() {
  local secs=$1 what=$2
  shift 2
  local rc=0
  timeout -k 5 "$secs" "$@" || rc=$?
  [ $rc -eq 124 ] || [ $rc -eq 137 ] && hn_die "$what: no result within ${secs}s"
  return $rc
}

hn_deps() {
  bash "$ZV_ROOT/scripts/deps" || hn_die "installing packages failed (scripts/deps)"
}

# Configures and builds one CMake preset (all of it, or the TARGETs given);
# the log goes to build/<preset>.log.
hn_build() {
  local preset=$1 log="$ZV_ROOT/build/$1.log" t0=$SECONDS targets=()
  shift
  [ $# -eq 0 ] || targets=(--target "$@")
  mkdir -p "$ZV_ROOT/build"
  hn_log "building preset $preset"
  # One build of a preset at a time: several runs may share this tree.
  if ! (
    flock -w 1800 9 || { echo "waited 30 min for build/.$preset.lock" >&2; exit 1; }
    cd "$ZV_ROOT" && cmake --preset "$preset" && cmake --build --preset "$preset" -j 2 "${targets[@]}"
  ) 9>"$ZV_ROOT/build/.$preset.lock" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    hn_die "build of preset '$preset' failed (full log: $log)"
  fi
  hn_log "built $preset in $((SECONDS - t0))s"
}

# shellcheck source=package.sh
source "$ZV_LIB/package.sh"
# shellcheck source=session.sh
source "$ZV_LIB/session.sh"
# shellcheck source=wine.sh
source "$ZV_LIB/wine.sh"

# The screen, the recording and the e2e cases' helpers.
# shellcheck source=desktop.sh
source "$ZV_LIB/desktop.sh"
