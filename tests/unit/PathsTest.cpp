#include <gtest/gtest.h>

#include "core/Paths.h"

namespace zv {
namespace {

// A prefix left on would make the program folder "\\?\C:\..." and every file
// opened by it a long-path name the user never wrote.
TEST(Paths, FinalPathsLoseTheLongPathPrefix) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"\\\\?\\C:\\Program Files\\Zvenoks\\Zvenoks.exe",
         "C:\\Program Files\\Zvenoks\\Zvenoks.exe"},
        {"\\\\?\\UNC\\server\\share\\Zvenoks.exe", "\\\\server\\share\\Zvenoks.exe"},
        {"\\\\?\\UNC\\", "UNC\\"},  // no server: nothing to make a UNC path of
        {"C:\\Zvenoks\\Zvenoks.exe", "C:\\Zvenoks\\Zvenoks.exe"},
        {"\\\\.\\C:\\Zvenoks.exe", "\\\\.\\C:\\Zvenoks.exe"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(WithoutLongPathPrefix(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace zv
