#!/usr/bin/env bash
# DLLs planted in the program folder under the names of system DLLs the
# clock uses directly or through Windows' own code (the sound path: winmm,
# the MCI wave driver, the audio compression manager; the common controls)
# are never loaded, and the clock still speaks.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/harness.sh"
hn_case_begin planted_dll

prog=$(hn_case_program planted_dll)

# A DLL that only reports being loaded: DllMain leaves NAME.dll.loaded beside
# itself. No C runtime, so nothing but kernel32 stands in its way.
cat >"$CASE_OUT/marker.c" <<'C'
#include <windows.h>
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH + 8];
        DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            lstrcpyA(path + n, ".loaded");
            HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
        }
    }
    return TRUE;
}
C
i686-w64-mingw32-gcc -O2 -shared -nostdlib -e _DllMain@12 -o "$CASE_OUT/marker.dll" \
  "$CASE_OUT/marker.c" -lkernel32 || hn_die "could not build the marker DLL"
# Not version.dll or uxtheme.dll: Wine's own user32 imports the one before
# any of the program's code runs, and its controls load the other past the
# program's search order; neither happens so on Windows.
planted=(winmm.dll mciwave.dll msacm32.dll comctl32.dll)
for dll in "${planted[@]}"; do cp "$CASE_OUT/marker.dll" "$prog/$dll"; done

# Wine keeps to its own builtin DLL where Windows would take the first file
# of the name it finds; native first for these names makes Wine choose as
# Windows does (its placeholder files in the system folder still mean builtin).
names=$(printf '%s,' "${planted[@]%.dll}")
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;${names%,}=n,b"

rc=0
ZV_DIST="$prog" hn_announce_once "$CASE_PREFIX" "$CASE_OUT" || rc=1
python3 "$here/announce_check.py" "$CASE_OUT" "$prog" || rc=1

for dll in "${planted[@]}"; do
  if [ -e "$prog/$dll.loaded" ]; then
    echo "error: the planted $dll was loaded from the program folder"
    rc=1
  elif grep -q "/Zvenoks/$dll\"" "$CASE_OUT/strace.log"; then
    echo "note: $dll in the program folder was looked at, not loaded"
  fi
done
[ $rc -eq 0 ] && echo "ok: none of ${planted[*]} loaded from the program folder; the time was spoken"
exit $rc
