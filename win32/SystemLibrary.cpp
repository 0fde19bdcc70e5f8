#include "win32/SystemLibrary.h"

#include <string>

namespace zv::win {
namespace {

HMODULE LoadFromSystemFolder(const wchar_t* name) {
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // Windows 7 without KB2533623 lacks the search flag: name the system
    // folder explicitly instead, which keeps the program folder out of it.
    wchar_t dir[MAX_PATH];
    const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(dir, n) + L"\\" + name).c_str());
}

}  // namespace

bool TSystemLibrary::Load(const wchar_t* name) {
    HMODULE module = LoadFromSystemFolder(name);
    // Taken before the old module is freed, which may set it again.
    loadError_ = module ? 0 : GetLastError();
    module_.Reset(module);
    return Loaded();
}

}  // namespace zv::win
