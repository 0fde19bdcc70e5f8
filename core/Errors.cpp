#include "core/Errors.h"

#include <cstddef>

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

std::string FormatLibraryMessage(const char* format, std::va_list args) {
    std::string text;
    for (const char* p = format; *p != '\0'; ++p) {
        if (p[0] != '%') {
            text += p[0];
        } else if (p[1] == '%') {
            text += '%';
            ++p;
        } else if (p[1] == 's') {
            const char* arg = va_arg(args, const char*);
            text += arg ? arg : "(null)";
            ++p;
        } else if (p[1] == 'z' && p[2] == 'u') {
            std::size_t value = va_arg(args, std::size_t);
            char digits[24];
            int n = 0;
            do {
                digits[n++] = static_cast<char>('0' + value % 10);
                value /= 10;
            } while (value != 0);
            while (n > 0) text += digits[--n];
            p += 2;
        } else {
            text += '%';
        }
    }
    return text;
}

}  // namespace zv
