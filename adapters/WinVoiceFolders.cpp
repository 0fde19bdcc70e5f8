#include "adapters/WinVoiceFolders.h"

#include <windows.h>

#include <memory>

#include "win32/Utf16.h"

namespace zv::win {

namespace {

// Closes a FindFirstFileW search.
struct FindCloser {
    void operator()(HANDLE h) const {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};

}  // namespace

std::vector<std::string> TWinVoiceFolders::ListFolders(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = Widen(dir) + L"\\*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    // No folder, or one that cannot be read, holds no packs: the list then
    // offers the standard voice alone, which is all there is to choose.
    if (search == INVALID_HANDLE_VALUE) return names;
    std::unique_ptr<void, FindCloser> closer(search);
    do {
        const std::wstring name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") {
            continue;
        }
        names.push_back(Narrow(name));
    } while (FindNextFileW(search, &found));
    return names;
}

bool TWinVoiceFolders::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    // Unreadable counts as missing: the pack is then shown incomplete.
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace zv::win
