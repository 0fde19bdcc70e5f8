// Settings files on a real file system: a write replaces the file whole or
// not at all, and a file another program holds is still read.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "adapters/WinFileStore.h"
#include "win32/Handles.h"

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
        config_ = folder_ + "\\config.cfg";
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        files_.WriteAll(config_, kOld);
    }
    void TearDown() override {
        SetFileAttributesA(config_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(config_.c_str());
        EXPECT_TRUE(RemoveDirectoryA(folder_.c_str())) << "a file was left beside config.cfg";
    }
    UniqueFile Hold(DWORD access, DWORD share) const {
        return UniqueFile(
            CreateFileA(config_.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr));
    }

    TWinFileStore files_;
    std::string folder_, config_;
};

TEST_F(WinFileStoreTest, AFailedWriteKeepsTheOldBytes) {
    struct Case {
        const char* what;
        DWORD access, share, attributes;
    } cases[] = {
        {"held, may be written but not replaced", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
         FILE_ATTRIBUTE_NORMAL},
        {"held, may be read only", GENERIC_READ, FILE_SHARE_READ, FILE_ATTRIBUTE_NORMAL},
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
    }
    // A hidden file is replaced and stays hidden.
    ASSERT_TRUE(SetFileAttributesA(config_.c_str(), FILE_ATTRIBUTE_HIDDEN));
    files_.WriteAll(config_, "Run=1\r\n");
    EXPECT_EQ(files_.ReadAll(config_), "Run=1\r\n");
    EXPECT_TRUE(GetFileAttributesA(config_.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(WinFileStoreTest, AFileAnotherProgramHoldsIsReadOnceItLetsGo) {
    struct Case {
        const char* what;
        DWORD share;
        int releaseMs;  // -1: held all through the read
    } cases[] = {
        {"open for writing, shared", kShareAll, -1},
        {"held alone for half a second", 0, 500},
        {"held alone longer than the wait", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UniqueFile held = Hold(GENERIC_WRITE, c.share);
        std::thread release([&] {
            if (c.releaseMs < 0) return;
            Sleep(c.releaseMs);
            held.Reset();
        });
        const ULONGLONG start = GetTickCount64();
        if (c.share || c.releaseMs >= 0) {
            EXPECT_EQ(files_.ReadAll(config_), kOld);
        } else {
            EXPECT_THROW(files_.ReadAll(config_), EFileStoreFailure);
            EXPECT_GE(GetTickCount64() - start, 2000u);
        }
        release.join();
    }
}

TEST_F(WinFileStoreTest, AWriteWaitsOutABriefHold) {
    // Held for itself alone, or without letting it be replaced, by an
    // indexer or a sync client that lets go within the wait.
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        SCOPED_TRACE(share);
        UniqueFile held = Hold(GENERIC_READ, share);
        std::thread release([&] {
            Sleep(500);
            held.Reset();
        });
        EXPECT_NO_THROW(files_.WriteAll(config_, "Run=2\r\n"));
        release.join();
        EXPECT_EQ(files_.ReadAll(config_), "Run=2\r\n");
    }
}

TEST_F(WinFileStoreTest, ALinkedFileIsWrittenInPlaceAndStaysLinked) {
    // Scoop keeps the settings in its persist folder with a hard link beside
    // the exe; a user may keep them on another drive with a symbolic link.
    // Wine makes no symbolic link itself: scripts/test leaves a Unix one in
    // the prefix, C:\zv-links\config.cfg to kept.cfg beside it.
    const std::string hardKept = folder_ + "\\kept.cfg";
    ASSERT_TRUE(CreateHardLinkA(hardKept.c_str(), config_.c_str(), nullptr)) << GetLastError();
    const std::pair<std::string, std::string> links[] = {
        {config_, hardKept},
        {"C:\\zv-links\\config.cfg", "C:\\zv-links\\kept.cfg"},
    };
    for (const auto& [link, kept] : links) {
        SCOPED_TRACE(link);
        ASSERT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
        files_.WriteAll(link, "Run=2\r\n");
        EXPECT_EQ(files_.ReadAll(kept), "Run=2\r\n");
        // Still one file under two names.
        files_.WriteAll(kept, "Run=3\r\n");
        EXPECT_EQ(files_.ReadAll(link), "Run=3\r\n");
    }
    DeleteFileA(hardKept.c_str());
}

}  // namespace
}  // namespace zv::win
