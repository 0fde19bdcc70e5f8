#pragma once
// Whether bytes are well-formed UTF-8: a file written by hand in an 8-bit code
// page almost never is, once it holds a letter beyond ASCII.
#include <string_view>

namespace zv {

// Shortest forms only; no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// A line of text: well-formed UTF-8 with no control character but the tab.
bool IsPrintableUtf8(std::string_view bytes);

}  // namespace zv
