#pragma once
// Small helpers shared by the Windows tests.
#include <windows.h>

#include "win32/Handles.h"

namespace zv::win::test {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Dispatches what is queued, as the message loop would. A WM_QUIT posted by
// a destroyed main window is eaten, so it does not end a later test's loop.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
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

}  // namespace zv::win::test
