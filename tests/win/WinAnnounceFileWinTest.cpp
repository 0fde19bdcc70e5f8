// announce.cfg's presence on the real file system: missing is no error,
// anything else that is there goes on to be read (and reported if it fails).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapters/WinAnnounceFile.h"

namespace zv::win {
namespace {

TEST(WinAnnounceFile, OnlyAPlainlyMissingFileIsAbsent) {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring dir =
        std::wstring(temp) + L"zv_announce_" + std::to_wstring(GetCurrentProcessId()) + L"_файлы";
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));

    EXPECT_FALSE(FileMayExist("announce.cfg"));
    EXPECT_FALSE(FileMayExist("нет\\announce.cfg"));  // a missing folder too
    HANDLE f = CreateFileW(L"announce.cfg", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    EXPECT_TRUE(FileMayExist("announce.cfg"));
    ASSERT_TRUE(CreateDirectoryW(L"папка.cfg", nullptr));
    EXPECT_TRUE(FileMayExist("папка.cfg"));  // there, though no file: the read reports it

    DeleteFileW(L"announce.cfg");
    RemoveDirectoryW(L"папка.cfg");
    SetCurrentDirectoryW(old);
    RemoveDirectoryW(dir.c_str());
}

}  // namespace
}  // namespace zv::win
