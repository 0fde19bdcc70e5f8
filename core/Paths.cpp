#include "core/Paths.h"

namespace zv {

std::string WithoutLongPathPrefix(std::string_view path) {
    constexpr std::string_view kLong = "\\\\?\\";
    constexpr std::string_view kUnc = "UNC\\";
    if (!path.starts_with(kLong)) return std::string(path);
    path.remove_prefix(kLong.size());
    if (path.size() > kUnc.size() && SameText(path.substr(0, kUnc.size()), kUnc))
        return "\\\\" + std::string(path.substr(kUnc.size()));
    return std::string(path);
}

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace zv
