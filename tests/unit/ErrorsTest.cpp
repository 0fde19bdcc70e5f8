#include <gtest/gtest.h>

#include <string>

#include "core/Errors.h"

namespace zv {
namespace {

TEST(Errors, HexCodeMatchesPrintfsUpperCaseZeroPaddedForm) {
    struct Case {
        unsigned long value;
        int minDigits;
        const char* text;
    };
    const Case cases[] = {
        {0, 4, "0x0000"},
        {0, 0, "0x0"},
        {0xFFFF, 4, "0xFFFF"},
        {0x3002, 4, "0x3002"},
        {0x12345, 4, "0x12345"},  // wider than asked: nothing is cut
        {0x80070002, 8, "0x80070002"},
        {0x88982F50, 8, "0x88982F50"},
        {0xA, 8, "0x0000000A"},
        {0xFFFFFFFF, 8, "0xFFFFFFFF"},
        {0xabcdef, 1, "0xABCDEF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexCode(c.value, c.minDigits), c.text) << c.value;
    }
}

}  // namespace
}  // namespace zv
