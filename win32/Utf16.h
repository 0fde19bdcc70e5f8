#pragma once
// Text is UTF-8 inside the program; the "W" calls of Windows take UTF-16.
#include <optional>
#include <string>
#include <string_view>

namespace zv::win {

// Invalid UTF-8 comes out with U+FFFD in place of each bad sequence.
std::wstring Widen(std::string_view utf8);
// A lone surrogate comes out as U+FFFD.
std::string Narrow(std::wstring_view utf16);

// The UTF-8 text of a call that fills a buffer and, when it is too small,
// answers the size it needs, its terminating zero counted
// (GetCurrentDirectoryW, GetFullPathNameW, GetFinalPathNameByHandleW):
// fill(buffer, size) returns what the call returns. Nothing when it fails.
template <class Fill>
std::optional<std::string> FilledText(Fill fill) {
    std::wstring text(260, L'\0');
    for (;;) {
        const unsigned long n = fill(text.data(), static_cast<unsigned long>(text.size()));
        if (n == 0) return std::nullopt;
        if (n < text.size()) {
            text.resize(n);
            return Narrow(text);
        }
        text.resize(n);
    }
}

// Bytes in the system's ANSI code page (a file written by hand in an 8-bit
// editor) as UTF-8; the code page is the system locale's.
std::string FromAnsiCodePage(std::string_view bytes);

}  // namespace zv::win
