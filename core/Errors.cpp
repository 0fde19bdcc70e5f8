#include "core/Errors.h"

namespace zv {

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    // Compared as unsigned bytes: a UTF-8 letter at the end gets a full stop too.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

std::string ApplicationTitle(std::string_view exePath) {
    auto slash = exePath.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? exePath : exePath.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    for (size_t i = 1; i < title.size(); ++i) {
        char& c = title[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return title;
}

std::string TrimSystemMessage(std::string_view text) {
    size_t end = text.size();
    while (end > 0) {
        auto c = static_cast<unsigned char>(text[end - 1]);
        if (c <= ' ' || c == '.') {
            --end;
        } else {
            break;
        }
    }
    return std::string(text.substr(0, end));
}

std::string HexCode(unsigned long value, int minDigits) {
    char digits[sizeof value * 2];
    int n = 0;
    do {
        digits[n++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string text = "0x";
    for (int pad = minDigits - n; pad > 0; --pad) text += '0';
    while (n > 0) text += digits[--n];
    return text;
}

}  // namespace zv
