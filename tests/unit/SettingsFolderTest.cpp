#include <gtest/gtest.h>

#include "settings/SettingsFolder.h"
#include "tests/unit/TempFiles.h"

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::TTempFiles;

TEST(SettingsFolder, OnlyAReplacementsNameIsTakenForOne) {
    struct Case {
        const char* name;
        bool is;
    } cases[] = {
        {"config.cfg.~1a4-1.tmp", true},
        {"CONFIG.CFG.~FFFF-2A.TMP", true},
        {"config.cfg.~1a4-.tmp", false},
        {"config.cfg.~-1.tmp", false},
        {"config.cfg.~1a4-1.tmp.tmp", false},
        {"config.cfg.~1g4-1.tmp", false},
        {"config.cfg.bak", false},
        {"config.cfg", false},
        {"notes.tmp", false},
        {"announce.cfg.~1a4-1.tmp", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsReplacementOf(c.name, "config.cfg"), c.is) << c.name;
    EXPECT_TRUE(IsReplacementOf(ReplacementName("config.cfg", 0xBEEF, 12), "config.cfg"));
}

// Real folders; the program folder is the store's current one.
class TFakeFolders final : public ISettingsFolderPlatform {
  public:
    explicit TFakeFolders(TTempFiles& files) : files_(files) {}
    bool FileExists(const std::string& path) override {
        return fs::is_regular_file(files_.Resolve(path));
    }
    bool RefusesNewFiles(const std::string&) override { return refuses; }
    std::string UserFolder() override { return user; }
    void MakeFolder(const std::string& path) override {
        fs::create_directories(files_.Resolve(path));
    }
    std::vector<std::string> FilesStartingWith(const std::string& folder,
                                               const std::string& prefix) override {
        std::vector<std::string> names;
        std::error_code none;  // a folder not made yet lists nothing
        for (const auto& entry :
             fs::directory_iterator(files_.Resolve(folder.empty() ? "." : folder), none)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(prefix)) names.push_back(name);
        }
        return names;
    }
    bool RemoveFile(const std::string& path) override { return fs::remove(files_.Resolve(path)); }

    bool refuses = false;
    std::string user;

  private:
    TTempFiles& files_;
};

TEST(SettingsFolder, AFolderThatRefusesNewFilesKeepsTheSettingsInTheUsersOwn) {
    TTempFiles files;
    const fs::path program = files.MakeDir("Program Files/Zvenoks");
    files.current = program;
    TTempFiles::Put(program / "config.cfg", "Run=1\r\n");
    TTempFiles::Put(program / "config.cfg.~1-2.tmp", "left by a crash");
    TTempFiles::Put(program / "config.cfg.bak", "kept");
    TFakeFolders platform(files);
    platform.user = (files.Root() / "AppData" / "Zvenoks").string();
    TSettingsFolder settings(files, platform, {"config.cfg", "announce.cfg"});

    for (bool refuses : {false, true}) {
        SCOPED_TRACE(refuses ? "refuses" : "takes new files");
        platform.refuses = refuses;
        settings.Choose();
        EXPECT_FALSE(fs::exists(program / "config.cfg.~1-2.tmp"));
        EXPECT_TRUE(fs::exists(program / "config.cfg.bak"));
        // Until the user's folder has a file, the program folder's is read.
        EXPECT_EQ(settings.ReadAll("config.cfg"), "Run=1\r\n");
        settings.WriteAll("config.cfg", "Run=2\r\n");
        settings.WriteAll("dir.cfg", "C:\\\r\n");
        EXPECT_EQ(settings.ReadAll("config.cfg"), "Run=2\r\n");
        EXPECT_TRUE(fs::exists(program / "dir.cfg"));
        TTempFiles::Put(program / "config.cfg", "Run=1\r\n");
    }
    EXPECT_EQ(TTempFiles::Get(fs::path(platform.user) / "config.cfg"), "Run=2\r\n");
    EXPECT_EQ(settings.FullPath("CONFIG.CFG"), platform.user + "/config.cfg");
    EXPECT_EQ(settings.ReadPath("announce.cfg"), "announce.cfg");
    // A stray beside the moved settings is swept at the next start too.
    TTempFiles::Put(fs::path(platform.user) / "announce.cfg.~a-b.tmp", "");
    settings.Choose();
    EXPECT_FALSE(fs::exists(fs::path(platform.user) / "announce.cfg.~a-b.tmp"));
}

}  // namespace
}  // namespace zv
