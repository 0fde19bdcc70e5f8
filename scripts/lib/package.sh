# shellcheck shell=bash
# The ready-to-run folder, the ZIPs and the manifests. Sourced by harness.sh.

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
