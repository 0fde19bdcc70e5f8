// The executable's path however long it is in UTF-8.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/Paths.h"
#include "win32/ModulePath.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

std::wstring SelfW() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

TEST(ModulePath, AFolderOfRussianNameLongerThan260Bytes) {
    // 120 Cyrillic letters take 240 bytes in UTF-8, 120 characters in UTF-16.
    std::wstring name;
    for (int i = 0; i < 20; ++i) name += L"Звенок";
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring folder = std::wstring(temp) + name;
    const std::wstring copy = folder + L"\\Звенок (1).exe";
    ASSERT_LT(copy.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_GT(Narrow(copy).size(), static_cast<size_t>(MAX_PATH));
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(SelfW().c_str(), copy.c_str(), FALSE));

    HMODULE module = LoadLibraryExW(copy.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr) << GetLastError();
    EXPECT_EQ(ModulePath(module), Narrow(copy));
    FreeLibrary(module);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

// The program folder comes from here: a "\\?\" prefix left on, or a folder
// taken for a program, would send the clock's files elsewhere.
TEST(ModulePath, FinalPathsOfFilesOnly) {
    const std::string self = ModulePath();
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    EXPECT_TRUE(SameText(FinalPath(self), self)) << FinalPath(self);
    EXPECT_TRUE(SameText(ExePath(), self)) << ExePath();
    EXPECT_EQ(FinalPath(Narrow(temp)), "");
    EXPECT_EQ(FinalPath(self + ".missing"), "");
    EXPECT_EQ(FinalPath(""), "");
}

TEST(ModulePath, PathsInUtf8) {
    struct Case {
        std::wstring in;
        std::string out;
    } cases[] = {
        {L"", ""},
        {L"C:\\Zvenoks\\Zvenoks.exe", "C:\\Zvenoks\\Zvenoks.exe"},
        {L"D:\\Звенок\\Звенок.exe", "D:\\Звенок\\Звенок.exe"},
        {L"\U0001F550", "\xF0\x9F\x95\x90"},  // outside the 16-bit plane: a surrogate pair
    };
    for (const Case& c : cases) EXPECT_EQ(Narrow(c.in), c.out);
}

}  // namespace
}  // namespace zv::win
