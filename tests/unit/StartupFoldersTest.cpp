#include <gtest/gtest.h>

#include "app/Startup.h"

namespace zv {
namespace {

TEST(StartupFolders, FolderOfCutsAtTheLastBackslash) {
    struct Case {
        std::string path, folder;
    } cases[] = {
        {"C:\\Program Files\\Zvenoks\\Zvenoks.exe", "C:\\Program Files\\Zvenoks"},
        {"C:\\Program Files\\Zvenoks\\Zvenoks (1).exe", "C:\\Program Files\\Zvenoks"},
        {"C:\\Zvenoks\\a.exe", "C:\\Zvenoks"},
        {"D:\\Звенок\\Zvenoks.exe", "D:\\Звенок"},
        {"C:\\Zvenoks.exe", "C:\\"},
        {"\\\\server\\share\\Zvenoks.exe", "\\\\server\\share"},
        {"Zvenoks.exe", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
}

TEST(StartupFolders, SameFolderTakesTheSpellingsWindowsTakes) {
    struct Case {
        std::string a, b;
        bool same;
    } cases[] = {
        {"C:\\Zvenoks", "C:\\Zvenoks", true},
        {"C:\\Zvenoks", "c:\\ZVENOKS\\", true},
        {"C:\\Zvenoks", "C:/Zvenoks", true},
        {"C:\\", "C:\\", true},
        {"C:\\Zvenoks", "C:\\Zvenoks (1)", false},
        {"C:\\Zvenoks", "C:\\Zvenok", false},
        {"C:\\", "C:", false},
        {"", "", false},
        {"C:\\Zvenoks", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameFolder(c.a, c.b), c.same) << c.a << " | " << c.b;
        EXPECT_EQ(SameFolder(c.b, c.a), c.same) << c.b << " | " << c.a;
    }
}

}  // namespace
}  // namespace zv
