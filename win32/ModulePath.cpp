#include "win32/ModulePath.h"

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
            return Utf8(path);
        }
        if (size >= kLongest) return {};
        path.resize(size * 2);
    }
}

std::string Utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace zv::win
