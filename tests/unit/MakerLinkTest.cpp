#include <gtest/gtest.h>

#include "about/MakerLink.h"

namespace zv {
namespace {

TEST(MakerLinkTest, ShownWithoutSchemeOrClosingSlash) {
    const struct {
        std::string_view url, shown;
    } cases[] = {
        {kMakerUrl, "zvenoks.example.org"},
        {"http://a.example/b/", "a.example/b"},
        {"https://a.example/b//", "a.example/b/"},  // one slash only
        {"ftp://a.example", "ftp://a.example"},     // other schemes stay
        {"https://", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(LinkText(c.url), c.shown) << c.url;
}

}  // namespace
}  // namespace zv
