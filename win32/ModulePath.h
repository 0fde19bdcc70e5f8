#pragma once
// The running executable's full path, however long it is: a Cyrillic path of
// fewer than 260 characters may still take more than 260 bytes in UTF-8.
#include <windows.h>

#include <string>

namespace zv::win {

// The full path of `module` (null: the executable) in UTF-8; "" when Windows
// cannot tell.
std::string ModulePath(HMODULE module = nullptr);

}  // namespace zv::win
