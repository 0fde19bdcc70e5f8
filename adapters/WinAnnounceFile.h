#pragma once
// Whether announce.cfg is there at all: its absence is no error, while a
// file that is there but cannot be read is one.
#include <string>

namespace zv::win {

// True unless the name (UTF-8, resolved against the current directory)
// is plainly missing.
bool FileMayExist(const std::string& name);

}  // namespace zv::win
