# shellcheck shell=bash
# The private session: the i386 namespace, Xvfb, PulseAudio, the processes
# it started and their end. Sourced by harness.sh.

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
