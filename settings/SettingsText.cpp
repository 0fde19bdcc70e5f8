#include "settings/SettingsText.h"

#include <string>

#include "core/Errors.h"

namespace zv {

bool Contains(std::string_view settingsText, std::string_view what) {
    return settingsText.find(what) != std::string_view::npos;
}

int ValueLookup(std::string_view settingsText, std::string_view prefix) {
    std::string_view c;
    if (auto pos = settingsText.find(prefix); pos != std::string_view::npos) {
        c = settingsText.substr(pos + prefix.size(), 1);
    }
    if (c.size() == 1 && c[0] >= '0' && c[0] <= '9') return c[0] - '0';
    // A NUL byte would end the message box's text right after the first
    // apostrophe; it is shown as no character at all.
    if (c == std::string_view("\0", 1)) c = {};
    throw EConvertError("'" + std::string(c) + "' is not a valid integer value");
}

}  // namespace zv
