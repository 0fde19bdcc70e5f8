// Settings files on a real file system: a write replaces the file in one step
// or not at all, and a file another program holds is still read.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "win32/Handles.h"
#include "win32/WinFileStore.h"

namespace zv::win {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
const std::string kOld = "Hotkey=1\r\nKey=2\r\nRun=2\r\n";

class WinFileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "zv-files-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        config_ = folder_ + "\\config.cfg";
        files_.WriteAll(config_, kOld);
    }
    void TearDown() override {
        for (const std::string& name : Names()) {
            SetFileAttributesA((folder_ + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder_ + "\\" + name).c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (found.cFileName[0] != '.') names.push_back(found.cFileName);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        return names;
    }
    UniqueFile Hold(DWORD access, DWORD share) const {
        return UniqueFile(CreateFileA(config_.c_str(), access, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    TWinFileStore files_;
    std::string folder_, config_;
};

TEST_F(WinFileStoreTest, AFailedWriteKeepsTheOldFileAndLeavesNothingBeside) {
    struct Case {
        const char* what;
        DWORD access, share, attributes;  // how the file is held; its attributes
    } cases[] = {
        {"held by a program that lets it be written but not replaced", GENERIC_READ,
         FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_ATTRIBUTE_NORMAL},
        {"held by a program that lets it be read only", GENERIC_READ, FILE_SHARE_READ,
         FILE_ATTRIBUTE_NORMAL},
        {"read-only", 0, 0, FILE_ATTRIBUTE_READONLY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(SetFileAttributesA(config_.c_str(), c.attributes));
        {
            UniqueFile held = c.access ? Hold(c.access, c.share) : UniqueFile();
            EXPECT_THROW(files_.WriteAll(config_, "Run=1\r\n"), EFileStoreFailure);
        }
        SetFileAttributesA(config_.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(files_.ReadAll(config_), kOld);
        EXPECT_EQ(Names(), std::vector<std::string>{"config.cfg"});
    }
}

TEST_F(WinFileStoreTest, AWriteReplacesTheBytesKeepsHiddenAndLeavesNothingBeside) {
    ASSERT_TRUE(SetFileAttributesA(config_.c_str(), FILE_ATTRIBUTE_HIDDEN));
    files_.WriteAll(config_, "Run=1\r\n");
    EXPECT_EQ(files_.ReadAll(config_), "Run=1\r\n");
    EXPECT_TRUE(GetFileAttributesA(config_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Names(), std::vector<std::string>{"config.cfg"});
}

TEST_F(WinFileStoreTest, AFileAnotherProgramHoldsIsReadOnceItLetsGo) {
    struct Case {
        const char* what;
        DWORD access, share;
        int holdMs;  // -1: held all through the read
        bool read;
    } cases[] = {
        {"open for writing, shared", GENERIC_WRITE, kShareAll, -1, true},
        {"open for writing, shared but for deletion", GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE, -1, true},
        {"held alone for half a second", GENERIC_READ | GENERIC_WRITE, 0, 500, true},
        {"held alone longer than the wait", GENERIC_READ | GENERIC_WRITE, 0, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UniqueFile held = Hold(c.access, c.share);
        ASSERT_TRUE(held);
        std::thread release;
        if (c.holdMs >= 0) {
            release = std::thread([&] {
                Sleep(c.holdMs);
                held.Reset();
            });
        }
        const ULONGLONG start = GetTickCount64();
        if (c.read) {
            EXPECT_EQ(files_.ReadAll(config_), kOld);
        } else {
            EXPECT_THROW(files_.ReadAll(config_), EFileStoreFailure);
            EXPECT_GE(GetTickCount64() - start, 2000u);
        }
        if (release.joinable()) release.join();
    }
}

}  // namespace
}  // namespace zv::win
