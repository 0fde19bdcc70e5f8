#include "about/MakerLink.h"

namespace zv {

std::string_view LinkText(std::string_view url) {
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
