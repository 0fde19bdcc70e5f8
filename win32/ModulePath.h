#pragma once
// The running executable's full path, however long it is: a Cyrillic path of
// fewer than 260 characters may still take more than 260 bytes in UTF-8.
#include <windows.h>

#include <string>

namespace zv::win {

// The full path of `module` (null: the executable) in UTF-8, as the loader
// names it; "" when Windows cannot tell.
std::string ModulePath(HMODULE module = nullptr);

// The path the system opened `file` by, without the "\\?\" prefix; "" when
// it cannot be had.
std::string FinalPathOf(HANDLE file);

// The file `path` names, links and junctions resolved (the file the system
// really opens), without the "\\?\" prefix; "" when no file (a folder is
// none) opens there.
std::string FinalPath(const std::string& path);

// The executable's own path: started through a symbolic link (winget's
// command alias), the loader names the link; the program lives where the
// link leads. The module path where the final path cannot be had.
std::string ExePath();

}  // namespace zv::win
