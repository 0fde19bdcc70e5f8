#pragma once
// The maker's web address: opened by the About dialog's link, and shown as
// its text without the scheme and the closing slash, which would not fit.
#include <string_view>

namespace zv {

// The future home page; a reserved domain that belongs to no one.
inline constexpr char kMakerUrl[] = "https://zvenoks.example.org/";

// "https://host/path/" -> "host/path".
constexpr std::string_view LinkText(std::string_view url) {
    for (std::string_view scheme : {"https://", "http://"}) {
        if (url.starts_with(scheme)) {
            url.remove_prefix(scheme.size());
            break;
        }
    }
    if (url.ends_with('/')) url.remove_suffix(1);
    return url;
}

}  // namespace zv
