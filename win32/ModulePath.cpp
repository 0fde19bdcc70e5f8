#include "win32/ModulePath.h"

#include "core/Paths.h"
#include "win32/Handles.h"
#include "win32/Utf16.h"

namespace zv::win {

std::string ModulePath(HMODULE module) {
    // Paths reach 32767 UTF-16 units at most; beyond that something is wrong.
    constexpr DWORD kLongest = 32768;
    const std::optional<std::string> path = FilledText([module](wchar_t* buffer, DWORD size) {
        const DWORD n = GetModuleFileNameW(module, buffer, size);
        // A path that did not fit comes back cut to the buffer's size, not
        // with the size it needs: ask for twice the room.
        if (n < size) return n;
        return size < kLongest ? size * 2 : DWORD{0};
    });
    return path.value_or(std::string());
}

std::string FinalPath(const std::string& path) {
    if (path.empty()) return {};
    // Attributes only: opens also an exe that is running or locked by others.
    UniqueFile file(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {};
    return FinalPathOf(file.Get());
}

std::string FinalPathOf(HANDLE file) {
    const std::optional<std::string> final = FilledText([file](wchar_t* buffer, DWORD size) {
        return GetFinalPathNameByHandleW(file, buffer, size, 0);
    });
    return final ? WithoutLongPathPrefix(*final) : std::string();
}

std::string ExePath() {
    const std::string module = ModulePath();
    const std::string final = FinalPath(module);
    return final.empty() ? module : final;
}

}  // namespace zv::win
