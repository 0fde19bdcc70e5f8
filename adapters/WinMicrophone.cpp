#include "adapters/WinMicrophone.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "win32/Handles.h"

namespace zv::win {
namespace {

// A value that is missing, not a QWORD or unreadable counts as zero.
uint64_t Qword(HKEY key, const wchar_t* name) {
    uint64_t value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_QWORD || size != sizeof value)
        return 0;
    return value;
}

// Any subkey of `path` whose use has started and not stopped. A key that
// cannot be opened is no program in the middle of a call: the announcement
// is then made, which is what the clock did before it looked at all.
bool AnySubkeyInUse(const std::wstring& path) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    const UniqueKey parent(raw);
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];  // a key's name has at most 255 characters
        DWORD length = 256;
        if (RegEnumKeyExW(parent.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return false;
        HKEY child = nullptr;
        if (RegOpenKeyExW(parent.Get(), name, 0, KEY_QUERY_VALUE, &child) != ERROR_SUCCESS)
            continue;
        const UniqueKey app(child);
        if (Qword(app.Get(), L"LastUsedTimeStart") != 0 &&
            Qword(app.Get(), L"LastUsedTimeStop") == 0)
            return true;
    }
}

}  // namespace

bool TWinMicrophone::InUse() const {
    const std::wstring key = kMicrophoneConsentKey;
    return AnySubkeyInUse(key) || AnySubkeyInUse(key + L"\\NonPackaged");
}

}  // namespace zv::win
