#include <gtest/gtest.h>

#include <string>

#include "core/Utf8.h"

namespace zv {
namespace {

TEST(Utf8, WellFormedOnly) {
    struct Case {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"empty", "", true},
        {"ASCII path", "C:\\Program Files\\Zvenoks", true},
        {"Russian", "C:\\Говорящие часы", true},
        {"3 and 4 bytes", "€ 😀", true},
        {"highest code point", "\xF4\x8F\xBF\xBF", true},
        {"cp1251 letters", "C:\\\xC3\xEE\xE2\xEE\xF0\xFF\xF9\xE8\xE5", false},
        {"cp1251 ё alone", "\xB8", false},
        {"continuation without a lead", "a\x80", false},
        {"cut at the end", "a\xD0", false},
        {"cut 3-byte", "\xE2\x82", false},
        {"lead followed by ASCII",
         "\xD0"
         "a",
         false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong 3-byte", "\xE0\x80\xAF", false},
        {"overlong 4-byte", "\xF0\x8F\xBF\xBF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"F5 lead", "\xF5\x80\x80\x80", false},
        {"bad third byte",
         "\xE2\x82"
         "a",
         false},
        {"NUL is ASCII", std::string("a\0b", 3), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid);
    }
}

}  // namespace
}  // namespace zv
