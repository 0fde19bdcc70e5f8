// The start-up work's machine side, and the work itself over real folders
// with their backslashed paths.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "adapters/WinFileStore.h"
#include "app/Startup.h"
#include "app/Startup_win.h"
#include "settings/Memo.h"
#include "settings/SettingsControls.h"
#include "win32/Handles.h"

namespace zv::win {
namespace {

void Put(const std::string& path, const std::string& bytes) {
    UniqueFile f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(f);
    DWORD n = 0;
    WriteFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
}

std::string Current() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

class TNoWindow final : public IStartupWindow {
  public:
    void HideApplicationWindow() override { events.push_back("hide application"); }
    void ApplyLayout() override { events.push_back("layout"); }
    void ShowMainWindowAndControls() override { events.push_back("show"); }
    void HideMainWindow() override { events.push_back("hide main"); }
    std::vector<std::string> events;
};

class TNoDialog final : public ISettingsControls {
  public:
    void SetCheckBox1Checked(bool) override {}
    void SetComboBox1Text(const std::string&) override {}
    void SetComboBox2Text(const std::string& text) override { comboBox2 = text; }
    std::string comboBox2 = "<unset>";
};

class StartupWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = Current();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "zv-startup-" + std::to_string(GetCurrentProcessId());
        program_ = root_ + "\\Program Files";
        elsewhere_ = root_ + "\\Desktop";
        for (const auto& d : {root_, program_, elsewhere_}) CreateDirectoryA(d.c_str(), nullptr);
        Put(program_ + "\\Zvenoks.exe", "MZ");
        Put(program_ + "\\config.cfg", "Hotkey=0\r\nKey=1\r\nRun=2\r\n");
    }
    void TearDown() override {
        SetCurrentDirectoryA(previous_.c_str());
        for (const auto& f : {program_ + "\\Zvenoks.exe", program_ + "\\config.cfg",
                              elsewhere_ + "\\dir.cfg", elsewhere_ + "\\folder"})
            DeleteFileA(f.c_str());
        RemoveDirectoryA((elsewhere_ + "\\folder").c_str());
        for (const auto& d : {program_, elsewhere_, root_}) RemoveDirectoryA(d.c_str());
    }

    std::string previous_, root_, program_, elsewhere_;
    TWinStartupPlatform platform_{nullptr};
};

TEST_F(StartupWinTest, PlatformAnswersAboutFilesAndFolders) {
    ASSERT_TRUE(platform_.ChangeDirectory(program_));
    EXPECT_EQ(platform_.CurrentDirectory(), program_);
    EXPECT_TRUE(platform_.FileExists("Zvenoks.exe"));
    EXPECT_TRUE(platform_.FileExists(program_ + "\\config.cfg"));
    EXPECT_FALSE(platform_.FileExists("dir.cfg"));
    CreateDirectoryA((elsewhere_ + "\\folder").c_str(), nullptr);
    EXPECT_FALSE(platform_.FileExists(elsewhere_ + "\\folder"));  // a folder is no file
    EXPECT_FALSE(platform_.ChangeDirectory(root_ + "\\gone"));
    EXPECT_EQ(platform_.CurrentDirectory(), program_);

    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string directory = platform_.ExeDirectory();
    EXPECT_EQ(std::string(exe).substr(0, directory.size() + 1), directory + "\\");
    EXPECT_EQ(std::string(exe).find('\\', directory.size() + 1), std::string::npos);
}

TEST_F(StartupWinTest, DirCfgLeadsToTheProgramDirectory) {
    Put(elsewhere_ + "\\dir.cfg", program_ + "\r\n");
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere_.c_str()));
    TWinFileStore files;
    TMemo memo1(files);
    TNoWindow window;
    TNoDialog form3;
    std::string settingsText;
    uint16_t startupPhase = 1;
    bool hotkey = false;
    TStartupWork work(platform_, window, memo1, settingsText, startupPhase, form3,
                      [&] { hotkey = true; });
    work.Run();
    EXPECT_EQ(Current(), program_);
    EXPECT_EQ(settingsText, "Hotkey=0\r\nKey=1\r\nRun=2\r\n");
    EXPECT_TRUE(hotkey);
    EXPECT_EQ(form3.comboBox2, "В трее");
    EXPECT_EQ(window.events,
              (std::vector<std::string>{"hide application", "layout", "show", "hide main"}));
    EXPECT_EQ(startupPhase, 0);
}

TEST_F(StartupWinTest, AMissingConfigCfgNamesItsFullPath) {
    DeleteFileA((program_ + "\\config.cfg").c_str());
    ASSERT_TRUE(SetCurrentDirectoryA(program_.c_str()));
    TWinFileStore files;
    TMemo memo1(files);
    TNoWindow window;
    TNoDialog form3;
    std::string settingsText;
    uint16_t startupPhase = 1;
    TStartupWork work(platform_, window, memo1, settingsText, startupPhase, form3, nullptr);
    try {
        work.Run();
        FAIL() << "loaded a missing file";
    } catch (const EFileError& e) {
        const std::string start = "Cannot open file \"" + program_ + "\\config.cfg\". ";
        EXPECT_EQ(std::string(e.what()).substr(0, start.size()), start) << e.what();
        EXPECT_NE(std::string(e.what()).back(), '.') << e.what();
    }
    EXPECT_EQ(window.events.back(), "show");
    EXPECT_EQ(form3.comboBox2, "<unset>");
}

}  // namespace
}  // namespace zv::win
