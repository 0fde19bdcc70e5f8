#!/usr/bin/env bash
# The shipped files, no Wine needed: each exe (32- and 64-bit) small,
# hardened and importing only DLLs the system loads from its own folder; each
# ZIP holding exactly the exe, every recording, the voice packs, the default
# settings and the guide; then the checksums and the winget and Scoop
# manifests read back against the ZIPs (release_check.py).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"

out="$ZV_ROOT/out/e2e/package"
rm -rf "$out"
mkdir -p "$out"
version=$(hn_version)
[ -n "$version" ] || hn_die "no project version in CMakeLists.txt"
zip32="$ZV_ROOT/dist/Zvenoks-$version-win32.zip" zip64="$ZV_ROOT/dist/Zvenoks-$version-win64.zip"
for f in "$ZV_DIST/Zvenoks.exe" "$zip32" "$zip64"; do
  [ -f "$f" ] || hn_die "no $f: hn_dist makes it"
done
mkdir -p "$out/win32" "$out/win64"
cp "$ZV_DIST/Zvenoks.exe" "$out/win32/"
unzip -p "$zip64" Zvenoks/Zvenoks.exe >"$out/win64/Zvenoks.exe"
rc=0
fail() { echo "error: $*"; rc=1; }

# One exe: ARCH (win32, win64) names its folder in $out; MAX is its size limit.
check_exe() {
  local arch=$1 max=$2 exe="$out/$1/Zvenoks.exe" headers="$out/$1/headers.txt"
  size=$(stat -c %s "$exe")
  echo "$arch exe: $size bytes"
  [ "$size" -lt "$max" ] || fail "the $arch Zvenoks.exe is $size bytes, not under $max"

  x86_64-w64-mingw32-objdump -p "$exe" >"$headers" || hn_die "objdump cannot read $exe"
  # Windows 7's KnownDLLs that later versions keep: always mapped from the
  # system folder, never looked for beside the exe.
  known=" advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi
   ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32 "
  dlls=$(awk '/DLL Name:/{print tolower($3)}' "$headers")
  echo "$arch imports: $(echo $dlls)"
  [ -n "$dlls" ] || fail "$arch: no import table found"
  for dll in $dlls; do
    name=${dll%.dll}
    [[ $known == *" $name "* ]] && continue
    if [ "$name" = comctl32 ]; then
      # Bound by the manifest to the side-by-side Common Controls 6, which the
      # loader takes from the system's WinSxS store.
      grep -aq 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$exe" && continue
      fail "$arch: comctl32.dll is imported without the Common Controls 6 manifest"
      continue
    fi
    fail "$arch: $dll is imported but is no KnownDLL: it would be looked for in the program folder first"
  done
  # Text crosses to Windows as UTF-16: an 8-bit call would read and write it in
  # the system's code page, which is not UTF-8 before Windows 10 1903. Only the
  # runtime's own calls stay, with ASCII names or none: libgcc finding its DLL,
  # winpthreads' unnamed events and semaphores and its debug lines, the C
  # start-up reading the show-window flag.
  allowed=" GetModuleHandleA LoadLibraryA CreateEventA CreateSemaphoreA OutputDebugStringA GetStartupInfoA "
  narrow=$(awk '$NF ~ /^[A-Za-z0-9_]*[a-z0-9]A$/ && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print $3}' "$headers" | sort -u)
  for name in $narrow; do
    [[ $allowed == *" $name "* ]] || fail "$arch: imports $name: text would cross in the system's code page"
  done
  # Windows 7 SP1 is the oldest system it runs on: the header must not ask for more.
  header() { awk -v k="$1" '$1 == k {print $2}' "$headers"; }
  for kind in Subsystem OSystem; do
    major=$(header "Major${kind}Version") minor=$(header "Minor${kind}Version")
    [[ $major =~ ^[0-9]+$ && $minor =~ ^[0-9]+$ ]] || { fail "$arch: no $kind version in the header"; continue; }
    (( major * 100 + minor <= 601 )) || fail "$arch: the header's $kind version $major.$minor is above 6.1 (Windows 7)"
  done
  flags=$(awk '/^DllCharacteristics/{print $2}' "$headers")
  (( 0x$flags & 0x40 )) || fail "$arch: no ASLR (DllCharacteristics $flags lacks DYNAMIC_BASE)"
  (( 0x$flags & 0x100 )) || fail "$arch: no DEP (DllCharacteristics $flags lacks NX_COMPAT)"
  x86_64-w64-mingw32-objdump -h "$exe" | grep -q ' \.reloc ' || fail "$arch: no .reloc section: the exe cannot be moved, ASLR or not"
}
# Room for two skins (the exact one for 96 DPI and the master at twice the
# size for the rest), the icons' frames up to 64 pixels, dialogs laid out
# to fit their texts, the date, the key presses and the microphone, the
# accessible objects for screen readers, the settings' own folder and the
# autostart's checks (571,392 bytes when the limit was last raised).
check_exe win32 580000
check_exe win64 625000

# The 32-bit ZIP's contents; release_check.py holds the 64-bit one to the same.
python3 - "$zip32" "$ZV_DIST/Zvenoks.exe" "$ZV_ROOT/resources" >"$out/zip.txt" 2>&1 <<'PY' || rc=1
import os, sys, zipfile
path, exe, res = sys.argv[1:]
errors = []
with zipfile.ZipFile(path) as z:
    files = {i.filename: i for i in z.infolist() if not i.filename.endswith("/")}
    voice = sorted(n for n in os.listdir(os.path.join(res, "voice")) if n.endswith(".wav"))
    want = {"Zvenoks/" + n for n in voice + ["Zvenoks.exe", "config.cfg", "ПРОЧТИ.txt"]}
    if len(voice) != 118:
        errors.append(f"{len(voice)} recordings in resources/voice, not 118")
    # The bell and the cuckoo are the clock's own, not part of a voice.
    words = [n for n in voice if n not in ("chime.wav", "kuku.wav")]
    # Each pack whole under voices/<name>/: the same 116 names, its note and licence.
    packs = os.path.join(res, "voices")
    pack_files = {}
    for pack in sorted(p for p in os.listdir(packs) if os.path.isdir(os.path.join(packs, p))):
        names = sorted(os.listdir(os.path.join(packs, pack)))
        if sorted(n for n in names if n.endswith(".wav")) != words:
            errors.append(f"resources/voices/{pack} does not hold the 116 names of resources/voice")
        for n in ["ПРОЧТИ.txt", "LGPL-2.1.txt"]:
            if n not in names:
                errors.append(f"resources/voices/{pack} has no {n}")
        for n in names:
            pack_files[f"Zvenoks/voices/{pack}/{n}"] = os.path.join(packs, pack, n)
    for wanted in ["anna", "aleksandr"]:
        if f"Zvenoks/voices/{wanted}/20.wav" not in pack_files:
            errors.append(f"no voice pack {wanted}")
    want |= pack_files.keys()
    for name in sorted(want - files.keys()):
        errors.append(f"missing from the ZIP: {name}")
    for name in sorted(files.keys() - want):
        errors.append(f"not meant for the ZIP: {name}")
    def same(name, source):
        if name in files and z.read(name) != open(source, "rb").read():
            errors.append(f"{name} differs from {source}")
    same("Zvenoks/Zvenoks.exe", exe)
    for n in voice:
        same("Zvenoks/" + n, os.path.join(res, "voice", n))
    for name, source in pack_files.items():
        same(name, source)
    # Without the UTF-8 flag Explorer would read a Cyrillic name in the OEM code page.
    for name, info in files.items():
        if not name.isascii() and not info.flag_bits & 0x800:
            errors.append(f"{name}: the name is not marked UTF-8 in the ZIP")
    if "Zvenoks/config.cfg" in files and z.read("Zvenoks/config.cfg") != b"Hotkey=1\r\nKey=1\r\nRun=1\r\n":
        errors.append("config.cfg is not Hotkey=1, Key=1, Run=1 in CR LF lines")
    guide = "Zvenoks/ПРОЧТИ.txt"
    if guide in files:
        g = z.read(guide)
        if not g.startswith(b"\xef\xbb\xbf"):
            errors.append("the guide has no UTF-8 BOM")
        if g.count(b"\n") != g.count(b"\r\n") or g.count(b"\r") != g.count(b"\r\n") or not g.endswith(b"\r\n"):
            errors.append("the guide's lines do not all end in CR LF")
        try:
            text = g[3:].decode("utf-8")
        except UnicodeDecodeError as e:
            errors.append(f"the guide is not UTF-8: {e}")
            text = ""
        for word in ["F11", "PrintScreen", "ScrollLock", "config.cfg", "Hotkey=", "Key=", "Run=",
                     "CurrentVersion\\Run", "Program Files", "Настройки", "О программе", "Выход",
                     "https://zvenoks.example.org/", "Windows 7 SP1", "8.1", "voices\\", "PCM", "16 бит", "моно"] + voice:
            if word not in text:
                errors.append(f"the guide never mentions {word}")
    print(f"{len(files)} files in {os.path.basename(path)}, {os.path.getsize(path)} bytes")
for e in errors:
    print("error:", e)
sys.exit(1 if errors else 0)
PY
cat "$out/zip.txt"
(cd "$ZV_ROOT/dist" && sha256sum -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS in dist/ fails"
python3 "$here/release_check.py" "$ZV_ROOT" "$ZV_ROOT/dist" | tee "$out/release.txt" || rc=1
[ $rc -eq 0 ] && echo "ok: exes, packages, checksums and manifests as shipped"
exit $rc
