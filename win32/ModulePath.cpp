#include "win32/ModulePath.h"

#include "win32/Utf16.h"

namespace zv::win {

std::string ModulePath(HMODULE module) {
    // Paths reach 32767 UTF-16 units at most; beyond that something is wrong.
    constexpr DWORD kLongest = 32768;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const auto size = static_cast<DWORD>(path.size());
        const DWORD n = GetModuleFileNameW(module, path.data(), size);
        if (n == 0) return {};
        // A path that did not fit comes back cut to the buffer's size.
        if (n < size) {
            path.resize(n);
            return Narrow(path);
        }
        if (size >= kLongest) return {};
        path.resize(size * 2);
    }
}

}  // namespace zv::win
