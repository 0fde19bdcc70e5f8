#include "adapters/WinSettingsFolder.h"

#include <shlobj.h>
#include <windows.h>

#include "win32/Handles.h"
#include "win32/SystemError.h"
#include "win32/Utf16.h"

namespace zv::win {

bool TWinSettingsFolder::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool TWinSettingsFolder::RefusesNewFiles(const std::string& folder) {
    // Named as a save's own replacement would be, so that one a crash left
    // is swept away with theirs; gone again when the handle closes.
    const std::string probe = ReplacementName(folder + "config.cfg", GetCurrentProcessId(), 0);
    const UniqueFile file(CreateFileW(
        Widen(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file) return false;
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

std::string TWinSettingsFolder::UserFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return Narrow(path) + "\\Zvenoks";
}

void TWinSettingsFolder::MakeFolder(const std::string& path) {
    if (CreateDirectoryW(Widen(path).c_str(), nullptr)) return;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) throw EFileStoreFailure(SystemErrorText(error));
}

std::vector<std::string> TWinSettingsFolder::FilesStartingWith(const std::string& folder,
                                                               const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    // None found, or a folder that cannot be listed: nothing to sweep.
    const UniqueFind search(FindFirstFileW(Widen(folder + prefix + "*").c_str(), &found));
    if (!search) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

bool TWinSettingsFolder::RemoveFile(const std::string& path) {
    return DeleteFileW(Widen(path).c_str()) != FALSE;
}

}  // namespace zv::win
