#pragma once
// Windows paths as text: what a final path looks like to the user, a file's
// name, and two spellings of one file.
#include <string>
#include <string_view>

namespace zv {

// A path as GetFinalPathNameByHandle gives it, in the form the user knows:
// "\\?\C:\x" becomes "C:\x", "\\?\UNC\server\share" becomes "\\server\share";
// any other path comes back as it is.
std::string WithoutLongPathPrefix(std::string_view path);

// Everything after the last backslash or slash.
std::string_view FileNameOf(std::string_view path);

// Equal but for the case of ASCII letters (file names on Windows ignore it).
bool SameText(std::string_view a, std::string_view b);

}  // namespace zv
