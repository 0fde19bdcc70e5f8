#include <gtest/gtest.h>

#include <deque>

#include "app/Startup.h"
#include "core/Errors.h"
#include "settings/Memo.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsText.h"
#include "tests/unit/TempFiles.h"

namespace zv {
namespace {

namespace fs = std::filesystem;
using test::TTempFiles;
using Events = std::vector<std::string>;

// The machine over real folders; the dialog answers from a queue.
class TFakePlatform final : public IStartupPlatform {
  public:
    explicit TFakePlatform(TTempFiles& files) : files_(files) {}

    bool FileExists(const std::string& name) override {
        return fs::is_regular_file(files_.Resolve(name));
    }
    std::string CurrentDirectory() override { return files_.current.string(); }
    bool ChangeDirectory(const std::string& path) override {
        auto target = files_.Resolve(path);
        if (!fs::is_directory(target)) return false;
        files_.current = target;
        return true;
    }
    std::string ExeDirectory() override { return exeDirectory; }
    std::optional<std::string> ExecuteOpenDialog() override {
        ++dialogs;
        if (answers.empty()) throw std::logic_error("the dialog was shown once too often");
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Code page 1251 as a Russian system decodes it: its letters А to я.
    std::string FromAnsiCodePage(const std::string& bytes) override {
        ansiDecoded.push_back(bytes);
        std::string out;
        for (unsigned char c : bytes) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (c >= 0xC0) {
                const unsigned u = 0x410 + (c - 0xC0);
                out += static_cast<char>(0xC0 | (u >> 6));
                out += static_cast<char>(0x80 | (u & 0x3F));
            } else {
                out += '?';
            }
        }
        return out;
    }

    void ProgramFolderSettled() override { settledIn = files_.current; }

    std::string exeDirectory;
    fs::path settledIn;  // where the settings' folder was settled
    std::vector<std::string> ansiDecoded;
    std::deque<std::optional<std::string>> answers;
    int dialogs = 0;

  private:
    TTempFiles& files_;
};

class TFakeWindow final : public IStartupWindow {
  public:
    explicit TFakeWindow(Events& events) : events_(events) {}
    void HideApplicationWindow() override { events_.push_back("hide application"); }
    void ApplyLayout() override { events_.push_back("layout"); }
    void ShowMainWindowAndControls() override { events_.push_back("show"); }
    void HideMainWindow() override { events_.push_back("hide main"); }

  private:
    Events& events_;
};

class TFakeForm3 final : public ISettingsControls {
  public:
    explicit TFakeForm3(Events& events) : events_(events) {}
    void SetCheckBox1Checked(bool) override { events_.push_back("CheckBox1"); }
    void SetComboBox1Text(const std::string& text) override {
        events_.push_back("ComboBox1 " + text);
    }
    void SetComboBox2Text(const std::string& text) override {
        events_.push_back("ComboBox2 '" + text + "'");
    }

  private:
    Events& events_;
};

const std::string kConfig = "Hotkey=1\r\nKey=1\r\nRun=1\r\n";

class StartupTest : public ::testing::Test {
  protected:
    StartupTest() {
        program = files.MakeDir("Program Files/Zvenoks");
        elsewhere = files.MakeDir("Users/me/Desktop");
        TTempFiles::Put(program / "Zvenoks.exe", "MZ");
        TTempFiles::Put(program / "config.cfg", kConfig);
        platform.exeDirectory = (files.Root() / "Temp").string();
    }
    void StartIn(const fs::path& directory) { files.current = directory; }
    void Run() { work.Run(); }
    // The events every start-up has, with the given settings steps after "show".
    static Events Shown(Events tail) {
        Events e{"hide application", "layout", "show", "hotkey"};
        e.insert(e.end(), tail.begin(), tail.end());
        return e;
    }

    TTempFiles files;
    fs::path program, elsewhere;
    TFakePlatform platform{files};
    Events events;
    TFakeWindow window{events};
    TFakeForm3 form3{events};
    TMemo memo1{files};
    std::string settingsText;
    uint16_t startupPhase = 1;
    std::function<void()> hotkeyStartupPath = [this] { events.push_back("hotkey"); };
    TStartupWork work{platform,
                      window,
                      memo1,
                      settingsText,
                      startupPhase,
                      form3,
                      [this] { hotkeyStartupPath(); }};
};

TEST_F(StartupTest, FromItsOwnDirectoryNeitherAsksNorWritesDirCfg) {
    StartIn(program);
    Run();
    EXPECT_EQ(platform.dialogs, 0);
    EXPECT_FALSE(fs::exists(program / "dir.cfg"));
    EXPECT_EQ(files.current, program);
    EXPECT_EQ(startupPhase, 0);
    EXPECT_EQ(settingsText, kConfig);
    EXPECT_EQ(memo1.Text(), kConfig);
    EXPECT_EQ(events, Shown({"ComboBox2 'На весь экран'"}));
}

TEST_F(StartupTest, ElsewhereWithDirCfgFollowsIt) {
    TTempFiles::Put(elsewhere / "dir.cfg", program.string() + "\r\n");
    StartIn(elsewhere);
    Run();
    EXPECT_EQ(platform.dialogs, 0);
    EXPECT_EQ(files.current, program);
    EXPECT_EQ(platform.settledIn, program);
    EXPECT_EQ(settingsText, kConfig);
}

TEST_F(StartupTest, DirCfgIsReadAsUtf8ElseInTheSystemCodePageWithoutItsLineBreak) {
    const fs::path russian = files.MakeDir("Программы/Говорящие часы");
    TTempFiles::Put(russian / "Zvenoks.exe", "MZ");
    TTempFiles::Put(russian / "config.cfg", "Run=2\r\n");
    TTempFiles::Put(elsewhere / "config.cfg", "Run=1\r\n");
    const std::string cp1251 = files.Root().string() +
                               "/\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB/"
                               "\xC3\xEE\xE2\xEE\xF0\xFF\xF9\xE8\xE5 \xF7\xE0\xF1\xFB";
    struct Case {
        const char* name;
        std::string dirCfg;
        fs::path reached;
        bool decoded;
        const char* lineBreak = "\r\n";
    };
    const Case cases[] = {
        {"UTF-8, as the program writes it", russian.string(), russian, false},
        {"code page 1251, written by hand", cp1251, russian, true},
        {"ASCII", program.string(), program, false},
        {"a cut UTF-8 letter is not UTF-8", program.string() + "\xD0", elsewhere, true},
        {"no final line break", program.string(), program, false, ""},
        {"LF alone", program.string(), program, false, "\n"},
        {"CR alone", russian.string(), russian, false, "\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFiles::Put(elsewhere / "dir.cfg", c.dirCfg + c.lineBreak);
        StartIn(elsewhere);
        platform.ansiDecoded.clear();
        startupPhase = 1;
        Run();
        EXPECT_EQ(files.current, c.reached);
        EXPECT_EQ(platform.ansiDecoded,
                  c.decoded ? std::vector{c.dirCfg} : std::vector<std::string>{});
        // The file keeps its bytes.
        EXPECT_EQ(TTempFiles::Get(elsewhere / "dir.cfg"), c.dirCfg + c.lineBreak);
    }
}

TEST_F(StartupTest, ElsewhereTheFirstTimeAsksUntilAFileIsChosen) {
    // The dialog answers as Windows does, with backslashes; the folder is the
    // chosen file's, however long its name.
    for (const char* chosen : {"Zvenoks.exe", "Zvenoks (1).exe", "a.exe"}) {
        SCOPED_TRACE(chosen);
        fs::remove(elsewhere / "dir.cfg");
        StartIn(elsewhere);
        const std::string folder = files.Root().string() + "\\Program Files\\Zvenoks";
        platform.dialogs = 0;
        platform.answers = {std::nullopt, std::nullopt, folder + "\\" + chosen};
        startupPhase = 1;
        Run();
        EXPECT_EQ(platform.dialogs, 3);
        EXPECT_EQ(TTempFiles::Get(elsewhere / "dir.cfg"), folder + "\r\n");
        EXPECT_EQ(files.current, program);
        EXPECT_EQ(settingsText, kConfig);
        EXPECT_EQ(startupPhase, 0);
    }
}

TEST_F(StartupTest, ElsewhereTheExecutablesOwnDirectoryNeedsNoDialog) {
    platform.exeDirectory = program.string();
    StartIn(elsewhere);
    Run();
    EXPECT_EQ(platform.dialogs, 0);
    EXPECT_FALSE(fs::exists(elsewhere / "dir.cfg"));
    EXPECT_EQ(files.current, program);
    EXPECT_EQ(settingsText, kConfig);
}

TEST_F(StartupTest, TheExecutablesOwnFolderIsTheProgramFolderWhateverItsName) {
    const fs::path downloads = files.MakeDir("Users/me/Downloads");
    const std::string config = "Hotkey=0\r\nKey=2\r\nRun=1\r\n";
    TTempFiles::Put(downloads / "Zvenoks (1).exe", "MZ");
    TTempFiles::Put(downloads / "config.cfg", config);
    // What an older start wrote after cutting 12 characters off the name.
    const std::string junk = files.Root().string() + "\\Users\\me\\Downloads\\Zve\r\n";
    struct Case {
        const char* what;
        std::string exeDirectory;
        fs::path start;
        bool junkDirCfg;
        int dialogs;
        fs::path current;
    } cases[] = {
        {"renamed, started in its folder", downloads.string(), downloads, false, 0, downloads},
        {"renamed, in its folder with a wrong dir.cfg there", downloads.string(), downloads, true,
         0, downloads},
        {"renamed, started elsewhere", downloads.string(), elsewhere, false, 0, downloads},
        {"its folder with a trailing separator", downloads.string() + "\\", downloads, true, 0,
         downloads},
        {"no folder to be had: the user is asked", "", elsewhere, false, 1, program},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(elsewhere / "dir.cfg");
        fs::remove(downloads / "dir.cfg");
        if (c.junkDirCfg) TTempFiles::Put(downloads / "dir.cfg", junk);
        platform.exeDirectory = c.exeDirectory;
        platform.dialogs = 0;
        platform.answers = {files.Root().string() + "\\Program Files\\Zvenoks\\Zvenoks.exe"};
        startupPhase = 1;
        StartIn(c.start);
        Run();
        EXPECT_EQ(platform.dialogs, c.dialogs);
        EXPECT_EQ(files.current, c.current);
        EXPECT_EQ(settingsText, c.current == downloads ? config : kConfig);
        EXPECT_EQ(fs::exists(elsewhere / "dir.cfg"), c.dialogs == 1);
        if (c.junkDirCfg) {
            EXPECT_EQ(TTempFiles::Get(downloads / "dir.cfg"), junk);
        }
    }
}

TEST_F(StartupTest, DirCfgThatCannotBeWrittenEndsTheWork) {
    fs::create_directory(elsewhere / "dir.cfg");  // a folder: not a file, and in the way
    StartIn(elsewhere);
    platform.answers = {files.Root().string() + "\\Program Files\\Zvenoks\\Zvenoks.exe"};
    try {
        Run();
        FAIL() << "wrote over a folder";
    } catch (const EFileError& e) {
        EXPECT_STREQ(e.what(), ("Cannot create file \"" + (elsewhere / "dir.cfg").string() +
                                "\". Is a directory")
                                   .c_str());
    }
    // The folder was made current first: only the note of it is lost.
    EXPECT_EQ(files.current, program);
    EXPECT_EQ(events, Events{"hide application"});
    EXPECT_EQ(startupPhase, 0);
}

TEST_F(StartupTest, AChosenFolderThatCannotBeMadeCurrentIsNotNotedInDirCfg) {
    TTempFiles::Put(elsewhere / "config.cfg", kConfig);
    StartIn(elsewhere);
    platform.answers = {files.Root().string() + "\\gone\\Zvenoks.exe"};
    Run();
    EXPECT_EQ(files.current, elsewhere);
    EXPECT_FALSE(fs::exists(elsewhere / "dir.cfg"));
}

TEST_F(StartupTest, DirCfgNamingAMissingFolderLeavesTheStartingDirectory) {
    TTempFiles::Put(elsewhere / "dir.cfg", (files.Root() / "gone").string() + "\r\n");
    TTempFiles::Put(elsewhere / "config.cfg", "Run=2\r\n");
    StartIn(elsewhere);
    Run();
    EXPECT_EQ(files.current, elsewhere);
    EXPECT_EQ(settingsText, "Run=2\r\n");
}

TEST_F(StartupTest, SettingsDecideWhatTheRestOfTheWorkDoes) {
    // The hotkey start-up path reads "Key=" as the hotkey logic does.
    hotkeyStartupPath = [this] {
        events.push_back("hotkey");
        if (Contains(settingsText, "Hotkey=1") && Contains(settingsText, "Key="))
            (void)ValueLookup(settingsText, "Key=");
    };
    struct Case {
        const char* what;
        std::optional<std::string> file;  // nothing: config.cfg missing
        Events events;
        std::string error;
    } cases[] = {
        {"full-screen", "Hotkey=1\r\nKey=1\r\nRun=1\r\n", Shown({"ComboBox2 'На весь экран'"}), ""},
        {"in the tray", "Hotkey=0\r\nKey=1\r\nRun=2\r\n",
         Shown({"hide main", "ComboBox2 'В трее'"}), ""},
        {"LF-only file in the tray", "Run=2\nHotkey=0\n",
         Shown({"hide main", "ComboBox2 'В трее'"}), ""},
        {"a start mode without a row", "Run=3\r\n", Shown({"ComboBox2 ''"}), ""},
        {"no start mode", "Hotkey=1\r\nKey=2\r\n", Shown({}), ""},
        {"empty file", "", Shown({}), ""},
        {"bad start mode: not hidden, combo unset", "Run=x\r\n", Shown({}),
         "'x' is not a valid integer value"},
        {"bad key with the hotkey on: no start mode", "Hotkey=1\r\nKey= 1\r\nRun=2\r\n", Shown({}),
         "' ' is not a valid integer value"},
        {"config.cfg missing: shown, nothing after the load", std::nullopt,
         Events{"hide application", "layout", "show"},
         "Cannot open file \"<program>/config.cfg\". No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.file) {
            TTempFiles::Put(program / "config.cfg", *c.file);
        } else {
            fs::remove(program / "config.cfg");
        }
        StartIn(program);
        events.clear();
        settingsText = "before";
        startupPhase = 1;
        std::string error;
        try {
            Run();
        } catch (const Exception& e) {
            error = e.what();
        }
        std::string expected = c.error;
        if (auto at = expected.find("<program>"); at != std::string::npos)
            expected.replace(at, 9, program.string());
        EXPECT_EQ(error, expected);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(startupPhase, 0);
        if (c.file) {
            EXPECT_EQ(settingsText, AdjustLineBreaks(*c.file));
        } else {
            EXPECT_EQ(settingsText, "before");
            EXPECT_EQ(memo1.Text(), "");
        }
    }
}

}  // namespace
}  // namespace zv
