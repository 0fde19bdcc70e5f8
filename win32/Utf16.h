#pragma once
// Text is UTF-8 inside the program; the "W" calls of Windows take UTF-16.
#include <string>
#include <string_view>

namespace zv::win {

// Invalid UTF-8 comes out with U+FFFD in place of each bad sequence.
std::wstring Widen(std::string_view utf8);
// A lone surrogate comes out as U+FFFD.
std::string Narrow(std::wstring_view utf16);

// Bytes in the system's ANSI code page (a file written by hand in an 8-bit
// editor) as UTF-8; the code page is the system locale's.
std::string FromAnsiCodePage(std::string_view bytes);

}  // namespace zv::win
