# shellcheck shell=bash
# Wine prefixes and the Windows programs run in them. Sourced by harness.sh.

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
