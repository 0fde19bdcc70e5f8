#pragma once
// Small helpers shared by the Windows tests.
#include <windows.h>
// windows.h first: the access-control header needs its types.
#include <aclapi.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include "voices/VoiceList.h"
#include "win32/Handles.h"

namespace zv::win::test {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Dispatches what is queued, as the message loop would. A WM_QUIT posted by
// a destroyed main window is eaten, so it does not end a later test's loop.
// Gives Everyone write access to a file or folder, as a second drive's
// root gives Authenticated Users.
inline bool GrantEveryoneWrite(const std::wstring& path) {
    PACL old = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &old, nullptr, &sd) != ERROR_SUCCESS)
        return false;
    EXPLICIT_ACCESSW grant{};
    grant.grfAccessPermissions = FILE_GENERIC_WRITE;
    grant.grfAccessMode = GRANT_ACCESS;
    grant.grfInheritance = NO_INHERITANCE;
    grant.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    grant.Trustee.ptstrName = const_cast<LPWSTR>(L"EVERYONE");
    PACL added = nullptr;
    bool done = SetEntriesInAclW(1, &grant, old, &added) == ERROR_SUCCESS &&
                SetNamedSecurityInfoW(const_cast<LPWSTR>(path.c_str()), SE_FILE_OBJECT,
                                      DACL_SECURITY_INFORMATION, nullptr, nullptr, added,
                                      nullptr) == ERROR_SUCCESS;
    LocalFree(added);
    LocalFree(sd);
    return done;
}

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The side of a square icon's picture; 0 for no icon, -1 for one not square.
inline int IconSide(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    GetObjectW(colour ? colour.Get() : mask.Get(), sizeof bm, &bm);
    // A monochrome icon's mask holds its two halves one above the other.
    const int height = colour ? bm.bmHeight : bm.bmHeight / 2;
    return bm.bmWidth == height ? bm.bmWidth : -1;
}

// The component never creates a key; a fresh prefix may lack the current
// user's Run key.
inline bool EnsureCurrentUserRunKey() {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &raw, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(raw);
    return true;
}

// Deletes the autostart value under the root; a missing key or value is fine.
inline void RemoveAutostartValue(HKEY root) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, kRunKeyPath, 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) return;
    UniqueKey key(raw);
    RegDeleteValueA(key.Get(), "MyApplication");
}

// A 440 Hz tone (silence with amplitude 0), 16-bit mono PCM at 22,050 Hz.
inline bool WriteTone(const std::string& path, int durationMs, double amplitude = 0.3) {
    constexpr uint32_t kRate = 22050;
    const uint32_t samples = kRate * static_cast<uint32_t>(durationMs) / 1000;
    const uint32_t dataBytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    out.write("RIFF", 4);
    put(36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(16, 4);         // fmt chunk size
    put(1, 2);          // PCM
    put(1, 2);          // mono
    put(kRate, 4);      // sample rate
    put(kRate * 2, 4);  // byte rate
    put(2, 2);          // block align
    put(16, 2);         // bits per sample
    out.write("data", 4);
    put(dataBytes, 4);
    for (uint32_t i = 0; i < samples; ++i) {
        const double s = amplitude * std::sin(2 * 3.14159265358979 * 440.0 * i / kRate);
        put(static_cast<uint32_t>(static_cast<int16_t>(s * 32767)) & 0xFFFF, 2);
    }
    return out.good();
}

// Every recording of the standard voice as a clip of `durationMs` in the
// current folder, so that a chain takes a fraction of a second; the first
// one that could not be written, or "".
inline std::string WriteStandardVoiceTones(int durationMs) {
    for (const char* file : kVoiceFiles) {
        if (!WriteTone(file, durationMs)) return file;
    }
    return {};
}

}  // namespace zv::win::test
