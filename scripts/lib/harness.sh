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

# dist/Zvenoks/ (or DIR): the exe, the 35 recordings (33 words, the bell and
# the cuckoo), the default config.cfg and the guide. The real dist/Zvenoks/ is also packed into
# dist/Zvenoks-<version>-win32.zip; private copies (DIR) are not.
hn_dist() {
  local exe=${1:-$ZV_ROOT/build/win32/Zvenoks.exe} dist=${2:-$ZV_ROOT/dist/Zvenoks} voice="$ZV_ROOT/resources/voice" n
  local guide="$ZV_ROOT/resources/ПРОЧТИ.txt"
  [ -f "$exe" ] || hn_die "no $exe: build the win32 preset first"
  n=$(find "$voice" -maxdepth 1 -name '*.wav' 2>/dev/null | wc -l)
  [ "$n" -eq 35 ] || hn_die "expected 35 recordings in $voice, found $n"
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
    [ "$n" -eq 33 ] || hn_die "expected 33 recordings in $pack, found $n"
    mkdir -p "$dist/voices/$(basename "$pack")"
    cp "$pack"* "$dist/voices/$(basename "$pack")/"
  done
  [ "$dist" = "$ZV_ROOT/dist/Zvenoks" ] && hn_package "$dist"
  return 0
}

# Packs DIR (the real dist/Zvenoks/) with CPack into dist/; the package's
# settings come from the win32 build's CPackConfig.cmake.
hn_package() {
  local from=$1 config="$ZV_ROOT/build/win32/CPackConfig.cmake" tmp zip
  # Only a run on another exe (ZV_EXE) may come without a configured build.
  [ -f "$config" ] || { hn_log "warning: no $config, so no ZIP: configure the win32 preset"; return 0; }
  tmp=$(mktemp -d "${TMPDIR:-/tmp}/zvenoks-pack.XXXXXX")
  # A UTF-8 locale, so that the guide's Cyrillic name goes into the ZIP as such.
  if ! LC_ALL=C.UTF-8 cpack --config "$config" -B "$tmp" -D CPACK_INSTALLED_DIRECTORIES="$from;Zvenoks" \
    >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log" >&2
    rm -rf "$tmp"
    hn_die "cpack failed to pack $from"
  fi
  zip=$(find "$tmp" -maxdepth 1 -name 'Zvenoks-*-win32.zip' | head -n 1)
  [ -n "$zip" ] || { rm -rf "$tmp"; hn_die "cpack made no Zvenoks-*-win32.zip"; }
  # Renamed into place whole: a concurrent reader never sees half a ZIP.
  mv -f "$zip" "$ZV_ROOT/dist/"
  rm -rf "$tmp"
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
  trap hn_session_end EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# Kills what this session started. Safe to call twice.
hn_session_end() {
  local rc=$? p
  [ -n "${ZV_RUN:-}" ] && [ -d "$ZV_RUN" ] || return $rc
  [ "${ZV_SESSION_OWNER:-}" = "$BASHPID" ] || return $rc
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

# Runs "$@" in the background and waits for it: bash runs a trap only once
# a foreground child is done, but interrupts a wait at once.
hn_wait_for() {
  "$@" &
  local pid=$! rc=0
  hn_track $pid
  wait $pid || rc=$?
  return $rc
}

# TERM, then KILL after 3 s.
hn_kill() {
  local pid=$1
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
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
        export DISPLAY=":$n"
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

# ---- X input and output --------------------------------------------------------

# Prints the id of the largest visible window whose title is exactly NAME
# (a program's hidden application window may bear the same title).
hn_wait_window() {
  local name=$1 secs=${2:-120} id
  timeout "$secs" xdotool search --sync --onlyvisible --name "^$name\$" >/dev/null 2>&1 ||
    hn_die "no visible window named '$name' within ${secs}s"
  id=$(hn_largest_window "$name")
  [ -n "$id" ] || hn_die "the window named '$name' vanished"
  echo "$id"
}

hn_largest_window() {
  local id best=0 bestid="" x y w h
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    read -r x y w h < <(hn_window_geometry "$id") || continue
    [ $((w * h)) -gt $best ] && best=$((w * h)) bestid=$id
  done
  echo "$bestid"
}

# Prints "X Y W H" of a window.
hn_window_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '
    $1=="X"{x=$2} $1=="Y"{y=$2} $1=="WIDTH"{w=$2} $1=="HEIGHT"{h=$2}
    END{print x, y, w, h}'
}

# Wine often loses `xdotool click`; a press, a pause and a release it keeps.
hn_click() {
  xdotool mousemove --sync "$1" "$2" mousedown 1
  sleep 0.15
  xdotool mouseup 1
}

# Sends keys to a window after giving it the X focus.
hn_key() {
  local win=$1
  shift
  timeout 10 xdotool windowfocus --sync "$win" || hn_die "could not focus window $win"
  xdotool key "$@"
}

# The screen as seen. Wine's ordinary windows and menus come out black in a
# capture of the root (their contents are not in the root's picture here);
# each viewable one is captured on its own and laid over the root, bottom
# first. Shaped windows (the colour-keyed clock) are in the root already.
hn_screenshot() {
  local tmp id info x y args=()
  tmp=$(mktemp -d "${ZV_RUN:-/tmp}/shot.XXXXXX")
  xwd -root -silent -display "$DISPLAY" >"$tmp/root.xwd" || hn_die "screenshot to $1 failed"
  for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}' | tac); do
    info=$(xwininfo -shape -id "$id" 2>/dev/null) || continue
    grep -q 'Map State: IsViewable' <<<"$info" || continue
    grep -q 'Window shape extents' <<<"$info" && continue
    x=$(awk '/Absolute upper-left X:/{print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y:/{print $4}' <<<"$info")
    # A window may go between the listing and the capture.
    xwd -id "$id" -silent >"$tmp/$id.xwd" 2>/dev/null || continue
    args+=("xwd:$tmp/$id.xwd" -geometry "+$x+$y" -composite)
  done
  convert "xwd:$tmp/root.xwd" "${args[@]}" "png:$1" || hn_die "screenshot to $1 failed"
  rm -rf "$tmp"
}

# Counts pixels of a screen rectangle that are neither black nor maroon, i.e.
# drawn by a window rather than its see-through colour key.
hn_drawn_pixels() {
  local x=$1 y=$2 w=$3 h=$4
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage -depth 8 rgb:- |
    python3 -c 'import sys; d=sys.stdin.buffer.read(); print(sum(1 for i in range(0,len(d)-2,3) if d[i:i+3] not in (b"\0\0\0", b"\x80\0\0")))'
}

# Records the null sink to a WAV file; hn_record_stop finishes its header.
hn_record_start() {
  parecord -d cap.monitor --file-format=wav --format=s16le --rate=16000 --channels=1 --latency-msec=20 "$1" &
  ZV_REC_PID=$!
  hn_track $ZV_REC_PID
  : >"$1.marks"
  for _ in $(seq 100); do
    [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -gt 4000 ] && return 0
    kill -0 "$ZV_REC_PID" 2>/dev/null || break
    sleep 0.1
  done
  hn_die "parecord records nothing from cap.monitor"
}

# Notes NAME, the time and how much has been recorded so far, so that a moment
# can be found in the recording whenever parecord really began.
hn_record_mark() {
  echo "$2 $(date +%s.%N) $(stat -c %s "$1")" >>"$1.marks"
}

hn_record_stop() {
  [ -n "${ZV_REC_PID:-}" ] || return 0
  kill -INT "$ZV_REC_PID" 2>/dev/null || true
  timeout 5 tail --pid="$ZV_REC_PID" -f /dev/null || hn_kill "$ZV_REC_PID"
  unset ZV_REC_PID
}

hn_analyze() { python3 "$ZV_LIB/analyze.py" "$@"; }

# Waits until the largest window named NAME covers the screen (the maximized
# clock); prints its "X Y W H". After SECS it prints what there is.
hn_wait_maximized() {
  local name=$1 secs=${2:-15} g="" sw sh id
  read -r sw sh < <(xdpyinfo | awk '/dimensions:/{split($2,a,"x"); print a[1], a[2]}')
  for _ in $(seq $((secs * 5))); do
    id=$(hn_largest_window "$name")
    [ -n "$id" ] && g=$(hn_window_geometry "$id")
    [ "$g" = "0 0 $sw $sh" ] && break
    sleep 0.2
  done
  [ -n "$g" ] || hn_die "no window named '$name' to measure"
  [ "$g" = "0 0 $sw $sh" ] || hn_log "warning: '$name' is $g, not maximized over ${sw}x$sh"
  echo "$g"
}

# The "ВРЕМЯ (F11)" caption: left = round(W/2) − 180, top = round(H/2) − 142
# (halves to even), 95 × 16, in the maximized window's client area.
hn_caption_box() {
  python3 -c 'import sys; x,y,w,h=map(int,sys.argv[1:]); print(x+round(w/2)-180, y+round(h/2)-142, 95, 16)' "$@"
}

# Waits until the chain has ended: a minute word has been opened and the
# recording has been quiet for a second since (bounded by SECS).
hn_wait_chain_end() {
  local log=$1 wav=$2 secs=${3:-60} end=$((SECONDS + ${3:-60})) q
  while [ $SECONDS -lt $end ]; do
    if hn_analyze opened "$log" | tail -n 1 | grep -Eqx 'minut[ay]?\.wav'; then
      q=$(hn_analyze quiet "$wav" 2>/dev/null || echo "0 0")
      awk -v q="$q" 'BEGIN{split(q,a," "); exit !(a[1]==1 && a[2]>=1.0)}' && return 0
    fi
    sleep 0.3
  done
  hn_log "the announcement did not end within ${secs}s"
  return 1
}

# Starts $ZV_DIST/Zvenoks.exe from its own folder in PREFIX, clicks
# "ВРЕМЯ (F11)" once the first clock tick has drawn it, and waits for the
# chain to end. Leaves in OUT: strace.log (files the program opened),
# announcement.wav (+ .marks: "press", "click" at the release, "end" when the
# chain was over), clock.png, wine.log, click_box. Returns 1 if the chain did
# not end.
hn_announce_once() {
  local p=$1 out=$2 geo box rc=0 bx by bw bh
  mkdir -p "$out"
  rm -f "$out"/strace.log "$out"/announcement.wav* "$out"/clock.png
  hn_trace_start "$p" "$out/strace.log"
  hn_record_start "$out/announcement.wav"
  hn_wine_start "$p" "$ZV_DIST" "$out/wine.log" Zvenoks.exe
  ZV_DIAG_LOG="$out/wine.log"
  hn_wait_window Zvenoks "${ZV_WINDOW_TIMEOUT:-120}" >/dev/null
  geo=$(hn_wait_maximized Zvenoks 15)
  # shellcheck disable=SC2086
  box=$(hn_caption_box $geo)
  echo "$box" >"$out/click_box"
  read -r bx by bw bh <<<"$box"
  hn_wait_drawn "$bx" "$by" "$bw" "$bh" "the caption box stayed see-through: the clock never showed its controls"
  # A click happens at the release: "click" marks it, "press" the press.
  xdotool mousemove --sync $((bx + bw / 2)) $((by + bh / 2))
  hn_record_mark "$out/announcement.wav" press
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  hn_record_mark "$out/announcement.wav" click
  hn_wait_chain_end "$out/strace.log" "$out/announcement.wav" "${ZV_CHAIN_TIMEOUT:-60}" || rc=1
  hn_record_mark "$out/announcement.wav" end
  hn_screenshot "$out/clock.png"
  hn_record_stop
  hn_stop_prefix "$p"
  unset ZV_DIAG_LOG
  return $rc
}

# A private copy of the program for case NAME, with config.cfg made of the
# printf FORMAT if one is given; prints its folder.
hn_case_program() {
  local prog="$ZV_RUN/cases/$1/Zvenoks"
  rm -rf "$prog"
  mkdir -p "${prog%/*}"
  cp -r "$ZV_DIST" "$prog"
  # shellcheck disable=SC2059 # the text is a printf format, for its \r\n
  [ $# -lt 2 ] || printf "$2" >"$prog/config.cfg"
  echo "$prog"
}

# Waits up to 20 s for the traced server to show config.cfg opened: the
# start-up work of the first tick (which registers the hotkey) has run.
hn_wait_settings_read() {
  local log=$1
  for _ in $(seq 100); do
    grep -q '/Zvenoks/config.cfg"' "$log" && return 0
    sleep 0.2
  done
  hn_die "config.cfg was never opened: no start-up work within 20s"
}

# Waits up to 15 s for something drawn in the screen rectangle X Y W H:
# until the first tick the clock is all colour key, see-through. Dies with WHY.
hn_wait_drawn() {
  local x=$1 y=$2 w=$3 h=$4 why=$5
  for _ in $(seq 75); do
    [ "$(hn_drawn_pixels "$x" "$y" "$w" "$h")" -gt 0 ] && return 0
    sleep 0.2
  done
  hn_die "nothing drawn in ${w}x$h+$x+$y: $why"
}

# For tests/e2e cases: checks that the session is there, makes a clean
# out/e2e/NAME/ (exported as CASE_OUT) and a fresh prefix (CASE_PREFIX).
hn_case_begin() {
  local name=$1
  [ -n "${ZV_RUN:-}" ] && [ -d "$ZV_RUN" ] && [ -n "${DISPLAY:-}" ] && [ -n "${PULSE_SERVER:-}" ] ||
    hn_die "no harness session: run this case as 'scripts/test e2e $name'"
  CASE_OUT="$ZV_ROOT/out/e2e/$name"
  rm -rf "$CASE_OUT"
  mkdir -p "$CASE_OUT"
  CASE_PREFIX=$(hn_prefix_new "$ZV_RUN/cases/$name")
  export CASE_OUT CASE_PREFIX
  trap 'hn_record_stop; hn_stop_prefix "$CASE_PREFIX"' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}
