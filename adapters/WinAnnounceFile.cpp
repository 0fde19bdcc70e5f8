#include "adapters/WinAnnounceFile.h"

#include <windows.h>

#include "win32/Utf16.h"

namespace zv::win {

bool FileMayExist(const std::string& name) {
    if (GetFileAttributesW(Widen(name).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    // Any other failure (a denied folder, say) is left to the read, which
    // reports it.
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace zv::win
