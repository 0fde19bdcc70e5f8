#pragma once
// The searches made over the settings text: plain, case-sensitive substring
// searches, a value being the one character after the first occurrence.
#include <string_view>

namespace zv {

// True when `what` occurs anywhere in the text, byte for byte.
bool Contains(std::string_view settingsText, std::string_view what);

// The decimal value of the one character right after the first occurrence of
// `prefix`. Throws EConvertError "'c' is not a valid integer value" for anything
// but a digit, with nothing between the apostrophes when the prefix ends the
// text or does not occur.
int ValueLookup(std::string_view settingsText, std::string_view prefix);

}  // namespace zv
