#pragma once
// The system's words for a Win32 error code.
#include <windows.h>

#include <string>

namespace zv::win {

// The system's text for a Win32 error code, trimmed as file messages want it.
std::string SystemErrorText(DWORD code);

}  // namespace zv::win
