# shellcheck shell=bash
# Shared by scripts/run, scripts/test and tests/e2e: builds, the ready-to-run
# folder, and a private Xvfb + PulseAudio + Wine session. Source it; every
# function dies with a clear message on failure.
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

# dist/Zvenoks/ (or DIR): the exe, the 118 recordings (116 words, the bell and
# the cuckoo), the default config.cfg and the guide. The real dist/Zvenoks/ is also packed
# (hn_package); private copies (DIR) are not.
hn_dist() {
  local exe=${1:-$ZV_ROOT/build/win32/Zvenoks.exe} dist=${2:-$ZV_ROOT/dist/Zvenoks} voice="$ZV_ROOT/resources/voice" n
  local guide="$ZV_ROOT/resources/ПРОЧТИ.txt"
  [ -f "$exe" ] || hn_die "no $exe: build the win32 preset first"
  n=$(find "$voice" -maxdepth 1 -name '*.wav' 2>/dev/null | wc -l)
  [ "$n" -eq 118 ] || hn_die "expected 118 recordings in $voice, found $n"
  [ -f "$ZV_ROOT/resources/config.cfg" ] || hn_die "no resources/config.cfg"
  printf 'Hotkey=1\r\nKey=1\r\nRun=1\r\n' | cmp -s - "$ZV_ROOT/resources/config.cfg" ||
    hn_die "resources/config.cfg is not the default three CR LF lines"
  [ -f "$guide" ] || hn_die "no $guide"
  rm -rf "$dist"
  mkdir -p "$dist"
  cp "$exe" "$dist/Zvenoks.exe"
  cp "$voice"/*.wav "$ZV_ROOT/resources/config.cfg" "$guide" "$dist/"
  # The voice packs, each whole in voices\<name>\ beside the exe.
  local pack
  for pack in "$ZV_ROOT"/resources/voices/*/; do
    [ -d "$pack" ] || continue
    n=$(find "$pack" -maxdepth 1 -name '*.wav' | wc -l)
    [ "$n" -eq 116 ] || hn_die "expected 116 recordings in $pack, found $n"
    mkdir -p "$dist/voices/$(basename "$pack")"
    cp "$pack"* "$dist/voices/$(basename "$pack")/"
  done
  [ "$dist" = "$ZV_ROOT/dist/Zvenoks" ] && hn_package "$dist" "${1:-}"
  return 0
}

# The version CMakeLists.txt gives the project, which everything shipped bears.
hn_version() {
  sed -n 's/^project(Zvenoks VERSION \([0-9.]*\) .*/\1/p' "$ZV_ROOT/CMakeLists.txt"
}

# Packs DIR (the real dist/Zvenoks/) into dist/: Zvenoks-<version>-win32.zip,
# Zvenoks-<version>-win64.zip (the same files but the 64-bit exe), SHA256SUMS
# and the winget (dist/winget/) and Scoop (dist/scoop/) manifests. Each ZIP's
# settings come from its build's CPackConfig.cmake. The 64-bit exe is built
# here, unless EXE32 names a 32-bit exe from elsewhere (ZV_EXE): then
# build/win64/Zvenoks.exe is taken as it is.
hn_package() {
  local from=$1 exe32=${2:-} config32="$ZV_ROOT/build/win32/CPackConfig.cmake"
  local config64="$ZV_ROOT/build/win64/CPackConfig.cmake" exe64="$ZV_ROOT/build/win64/Zvenoks.exe" tmp f
  # Only a run on another exe (ZV_EXE) may come without configured builds.
  [ -f "$config32" ] || { hn_log "warning: no $config32, so no packages: configure the win32 preset"; return 0; }
  [ -n "$exe32" ] || hn_build win64 Zvenoks >&2
  if [ ! -f "$exe64" ] || [ ! -f "$config64" ]; then
    hn_log "warning: no $exe64, so no packages: build the win64 preset"
    return 0
  fi
  # Made beside dist/, so that each file is renamed into place whole: a
  # concurrent reader never sees half a ZIP.
  tmp=$(mktemp -d "$ZV_ROOT/dist/.pack.XXXXXX")
  hn_cpack "$config32" "$from" "$tmp"
  mkdir -p "$tmp/win64"
  cp -r "$from" "$tmp/win64/Zvenoks"
  cp "$exe64" "$tmp/win64/Zvenoks/Zvenoks.exe"
  hn_cpack "$config64" "$tmp/win64/Zvenoks" "$tmp"
  if ! cmake -D ZV_CPACK_CONFIG="$config32" -D ZV_OUT="$tmp" -P "$ZV_ROOT/cmake/manifests.cmake" >"$tmp/manifests.log" 2>&1; then
    cat "$tmp/manifests.log" >&2
    rm -rf "$tmp"
    hn_die "writing the checksums and manifests failed (cmake/manifests.cmake)"
  fi
  for f in "$tmp"/Zvenoks-*.zip "$tmp/SHA256SUMS"; do mv -f "$f" "$ZV_ROOT/dist/"; done
  for f in winget scoop; do
    rm -rf "$ZV_ROOT/dist/$f"
    mv "$tmp/$f" "$ZV_ROOT/dist/$f"
  done
  rm -rf "$tmp"
  hn_log "packed $(cd "$ZV_ROOT/dist" && echo Zvenoks-"$(hn_version)"-win*.zip), SHA256SUMS, winget/, scoop/"
}

# Packs FROM as the folder Zvenoks/ with CPack's CONFIG; the ZIP goes to OUT.
hn_cpack() {
  local config=$1 from=$2 out=$3 work zip
  work=$(mktemp -d "$out/cpack.XXXXXX")
  # A UTF-8 locale, so that the guide's Cyrillic name goes into the ZIP as such.
  if ! LC_ALL=C.UTF-8 cpack --config "$config" -B "$work" -D CPACK_INSTALLED_DIRECTORIES="$from;Zvenoks" \
    >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    rm -rf "$out"
    hn_die "cpack failed to pack $from"
  fi
  zip=$(find "$work" -maxdepth 1 -name 'Zvenoks-*.zip' | head -n 1)
  [ -n "$zip" ] || { rm -rf "$out"; hn_die "cpack made no Zvenoks-*.zip of $from"; }
  mv "$zip" "$out/"
  rm -rf "$work"
}

# This machine kind may run no 32-bit Linux code (ia32 emulation off). Then
# the whole command is run again in a private user+mount namespace whose own
# binfmt_misc hands i386 programs to qemu-user: nothing outside changes.
hn_enter_i386_namespace() {
  [ -n "${ZV_IN_NS:-}" ] && return 0
  [ -x "$ZV_WINE" ] || hn_die "no $ZV_WINE: wine32 is not installed (scripts/deps installs it)"
  "$ZV_WINE" --version >/dev/null 2>&1 && return 0
  local qemu
  qemu=$(command -v qemu-i386) || hn_die "32-bit programs do not run here and qemu-i386 is missing (scripts/deps)"
  hn_log "no 32-bit support in this kernel: running Wine through $qemu"
  export ZV_IN_NS=1 ZV_QEMU=$qemu
  exec unshare --user --map-root-user --mount -- bash -c '
    set -e
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    printf "%s" ":zv-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$ZV_QEMU:F" \
      >/proc/sys/fs/binfmt_misc/register
    exec "$@"' bash "$@"
}

hn_wineserver_bin() {
  local b
  for b in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32; do
    [ -x "$b" ] && { echo "$b"; return; }
  done
  hn_die "no wineserver installed"
}

# ---- session ---------------------------------------------------------------

hn_session_begin() {
  [ -n "${ZV_RUN:-}" ] && return 0
  ZV_RUN=$(mktemp -d /tmp/zvenoks.XXXXXX)
  export ZV_RUN ZV_SESSION_OWNER=$BASHPID
  : >"$ZV_RUN/pids"
  : >"$ZV_RUN/prefixes"
  : >"$ZV_RUN/sessions"
  trap hn_session_end EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# Kills what this session started. Safe to call twice.
hn_session_end() {
  local rc=$? p
  [ -n "${ZV_RUN:-}" ] && [ -d "$ZV_RUN" ] || return $rc
  [ "${ZV_SESSION_OWNER:-}" = "$BASHPID" ] || return $rc
  # A session started from this one (an e2e lane) ends its own programs: it
  # is asked first and given the time that takes.
  # No tier starts another case from here on (hn_session_ending).
  : >"$ZV_RUN/ending"
  [ ! -f "$ZV_RUN/sessions" ] || while read -r p; do hn_kill "$p" 600; done <"$ZV_RUN/sessions"
  while read -r p; do hn_stop_prefix "$p"; done <"$ZV_RUN/prefixes"
  tac "$ZV_RUN/pids" | while read -r p; do hn_kill "$p"; done
  # Debian's Wine keeps its server sockets in /tmp/wine-XXXXXX, named in the
  # prefix; every copy of a template shares the template's.
  for p in "$ZV_RUN"/template*/wineserver; do
    p=$(cat "$p" 2>/dev/null || true)
    [[ $p == wine-?????? ]] && rm -rf "/tmp/$p"
  done
  if [ -n "${ZV_KEEP:-}" ]; then hn_log "kept $ZV_RUN"; else rm -rf "$ZV_RUN"; fi
  unset ZV_RUN
  return $rc
}

hn_track() { echo "$1" >>"$ZV_RUN/pids"; }
hn_session_ending() { [ -e "$ZV_RUN/ending" ]; }
hn_track_session() { echo "$1" >>"$ZV_RUN/sessions"; }

# Runs "$@" in the background and waits for it: bash runs a trap only once
# a foreground child is done, but interrupts a wait at once.
hn_wait_for() {
  "$@" &
  local pid=$! rc=0
  hn_track $pid
  wait $pid || rc=$?
  return $rc
}

# TERM, then KILL after TENTHS tenths of a second (30 unless given).
hn_kill() {
  local pid=$1
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq "${2:-30}"); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
}

hn_xvfb_start() {
  local n pid
  for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$ZV_SCREEN" -br -nolisten tcp -noreset >"$ZV_RUN/xvfb.log" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
      kill -0 $pid 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        hn_track $pid
        export DISPLAY=":$n" ZV_XVFB_PID=$pid
        hn_log "Xvfb on $DISPLAY"
        return 0
      fi
      sleep 0.1
    done
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
  done
  cat "$ZV_RUN/xvfb.log" >&2
  hn_die "could not start Xvfb on any display :90..:189"
}

# Our own daemon: its own runtime, state and config dirs, so a PulseAudio of
# another user or session on this machine is never the one we talk to.
hn_pulse_start() {
  local pdir="$ZV_RUN/pulse" pid
  mkdir -p "$pdir/runtime" "$pdir/state" "$pdir/config" "$ZV_RUN/xdg"
  chmod 700 "$ZV_RUN/xdg" "$pdir/runtime"
  export XDG_RUNTIME_DIR="$ZV_RUN/xdg" PULSE_RUNTIME_PATH="$pdir/runtime"
  export PULSE_STATE_PATH="$pdir/state" XDG_CONFIG_HOME="$pdir/config"
  export PULSE_SERVER="unix:$pdir/runtime/native" PULSE_CLIENTCONFIG="$pdir/client.conf"
  printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
  pulseaudio --daemonize=no --exit-idle-time=-1 --use-pid-file=no -n \
    --load="module-null-sink sink_name=cap" \
    --load="module-native-protocol-unix socket=$pdir/runtime/native auth-anonymous=1" \
    >"$pdir/log" 2>&1 &
  pid=$!
  hn_track $pid
  for _ in $(seq 100); do
    kill -0 $pid 2>/dev/null || break
    if pactl info >/dev/null 2>&1; then
      pactl set-default-sink cap >/dev/null
      hn_log "PulseAudio on $PULSE_SERVER"
      return 0
    fi
    sleep 0.1
  done
  cat "$pdir/log" >&2
  hn_die "PulseAudio did not start"
}

hn_session_start() {
  hn_session_begin
  hn_xvfb_start
  hn_pulse_start
}

# ---- Wine prefixes -----------------------------------------------------------

# The Wine loader for a Windows program: wine64 for a 64-bit exe, which then
# runs natively, wine for the rest.
hn_wine_for() {
  local pe
  pe=$(od -An -tu4 -j 60 -N4 "$1" 2>/dev/null | tr -d ' ')
  if [ -n "$pe" ] && [ "$(od -An -tx2 -j $((pe + 4)) -N2 "$1" | tr -d ' ')" = 8664 ]; then
    echo "$ZV_WINE64"
  else
    echo "$ZV_WINE"
  fi
}

# The template of ARCH (win32 unless given), made once per session: sound
# through PulseAudio, no add-on installers, no menu entries, no crash dialog
# waiting for a click. A win64 template runs 64-bit programs natively.
hn_template() {
  local arch=${1:-$ZV_WINEARCH} t="$ZV_RUN/template" t0=$SECONDS wine=$ZV_WINE
  [ "$arch" = win32 ] || t="$ZV_RUN/template-$arch" wine=$ZV_WINE64
  [ -f "$t/.ready" ] && { echo "$t"; return; }
  hn_log "creating the Wine prefix template ($arch)"
  echo "$t" >>"$ZV_RUN/prefixes"
  rm -rf "$t"
  WINEPREFIX="$t" WINEARCH="$arch" hn_timeout 600 "wineboot -i" "$wine" wineboot -i >"$ZV_RUN/wineboot-$arch.log" 2>&1 ||
    { tail -n 20 "$ZV_RUN/wineboot-$arch.log" >&2; hn_die "wineboot -i failed"; }
  cat >"$ZV_RUN/template.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"="pulse"

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"mscoree"=""
"mshtml"=""
"winemenubuilder.exe"=""

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
  WINEPREFIX="$t" hn_timeout 300 "regedit of the template" "$wine" regedit /S "$(winepath_z "$ZV_RUN/template.reg")" >>"$ZV_RUN/wineboot-$arch.log" 2>&1 ||
    hn_die "could not set up the template's registry"
  WINEPREFIX="$t" hn_timeout 120 "wineserver -w" "$(hn_wineserver_bin)" -w
  touch "$t/.ready"
  hn_log "template ready in $((SECONDS - t0))s"
  echo "$t"
}

# Unix path -> Z: path, without starting Wine.
winepath_z() { printf 'Z:%s' "${1//\//\\}"; }

# A fresh copy of the template of ARCH (win32 unless given) in DIR/prefix;
# prints its path.
hn_prefix_new() {
  local dir=$1 t
  t=$(hn_template "${2:-}")
  mkdir -p "$dir"
  rm -rf "$dir/prefix"
  cp -a "$t" "$dir/prefix"
  echo "$dir/prefix" >>"$ZV_RUN/prefixes"
  echo "$dir/prefix"
}

# Ends every Wine process of a prefix (and its traced server).
hn_stop_prefix() {
  local p=$1
  [ -d "$p" ] || return 0
  WINEPREFIX="$p" timeout -k 5 30 "$(hn_wineserver_bin)" -k 2>/dev/null || true
  WINEPREFIX="$p" timeout -k 5 30 "$(hn_wineserver_bin)" -w 2>/dev/null || true
}

# Starts the prefix's wineserver under strace, so LOG lists every file any
# program of that prefix opens. Must come before the first program.
hn_trace_start() {
  local p=$1 log=$2 pid
  WINEPREFIX="$p" strace -qq -f -ttt -e trace=openat -o "$log" "$(hn_wineserver_bin)" -f -p >/dev/null 2>&1 &
  pid=$!
  hn_track $pid
  for _ in $(seq 100); do
    kill -0 $pid 2>/dev/null || hn_die "traced wineserver exited at once"
    # It reads the registry after it has made its socket: from then on a
    # program joins this server instead of starting one of its own.
    grep -q '"user.reg"' "$log" 2>/dev/null && return 0
    sleep 0.1
  done
  hn_die "traced wineserver did not come up"
}

# Starts a Windows program from DIR (its working directory) in the background;
# its output goes to LOG. Sets ZV_PID.
hn_wine_start() {
  local p=$1 dir=$2 log=$3 exe=$4
  shift 4
  local wine
  wine=$(hn_wine_for "$dir/$exe")
  [ -f "$dir/$exe" ] || wine=$(hn_wine_for "$exe")
  (cd "$dir" && WINEPREFIX="$p" exec "$wine" "$exe" "$@") >"$log" 2>&1 &
  ZV_PID=$!
  hn_track $ZV_PID
}

# Runs a Windows program in the foreground with a deadline; returns its code.
hn_wine_run() {
  local p=$1 dir=$2 secs=$3 exe=$4
  shift 4
  local wine
  wine=$(hn_wine_for "$exe")
  (cd "$dir" && WINEPREFIX="$p" exec timeout -k 5 "$secs" "$wine" "$exe" "$@")
}

# The screen, the recording and the e2e cases' helpers.
# shellcheck source=desktop.sh
source "$ZV_LIB/desktop.sh"
