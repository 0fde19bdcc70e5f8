#include "app/Startup.h"

#include <utility>

#include "settings/Memo.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsText.h"

namespace zv {
namespace {

constexpr const char* kProgramFile = "Zvenoks.exe";
constexpr const char* kDirFile = "dir.cfg";

// Everything but the last n characters.
std::string DropLast(const std::string& text, size_t n) {
    return text.size() > n ? text.substr(0, text.size() - n) : std::string();
}

// A root directory ("C:\") already ends in its separator.
std::string InDirectory(const std::string& directory, const char* name) {
    return directory + (directory.ends_with('\\') ? "" : "\\") + name;
}

}  // namespace

TStartupWork::TStartupWork(IStartupPlatform& platform, IStartupWindow& window, TMemo& memo1,
                           std::string& settingsText, uint16_t& startupPhase,
                           ISettingsControls& form3, std::function<void()> hotkeyStartupPath)
    : platform_(platform),
      window_(window),
      memo1_(memo1),
      settingsText_(settingsText),
      startupPhase_(startupPhase),
      form3_(form3),
      hotkeyStartupPath_(std::move(hotkeyStartupPath)) {}

void TStartupWork::Run() {
    window_.HideApplicationWindow();
    startupPhase_ = 0;
    if (!platform_.FileExists(kProgramFile) && !platform_.FileExists(kDirFile))
        LocateProgramDirectory();
    if (!platform_.FileExists(kProgramFile) && platform_.FileExists(kDirFile)) FollowDirCfg();
    window_.ApplyLayout();
    window_.ShowMainWindowAndControls();
    memo1_.Clear();
    memo1_.LoadFromFile("config.cfg");
    settingsText_ = memo1_.Text();
    if (hotkeyStartupPath_) hotkeyStartupPath_();
    if (Contains(settingsText_, "Run=2")) window_.HideMainWindow();
    if (Contains(settingsText_, "Run="))
        form3_.SetComboBox2Text(ComboItem(kComboBox2Items, ValueLookup(settingsText_, "Run=") - 1));
}

void TStartupWork::LocateProgramDirectory() {
    // Started by the system with another working directory: the executable's
    // own folder is the program directory when the program file is there.
    std::string exeDirectory = platform_.ExeDirectory();
    if (!exeDirectory.empty() && platform_.FileExists(InDirectory(exeDirectory, kProgramFile))) {
        // Failure to change directory is silent; files are then looked up where we are.
        (void)platform_.ChangeDirectory(exeDirectory);
        return;
    }
    const std::string startDirectory = platform_.CurrentDirectory();
    std::optional<std::string> chosen;
    // Cancel is not an answer: the program cannot run without its directory.
    while (!(chosen = platform_.ExecuteOpenDialog())) {
    }
    // The chosen path without "\Zvenoks.exe", whatever file was chosen.
    std::string programDirectory = DropLast(*chosen, 12);
    memo1_.Clear();
    memo1_.Add(programDirectory);
    memo1_.SaveToFile(InDirectory(startDirectory, kDirFile));
    // A directory that does not exist leaves the current one current.
    (void)platform_.ChangeDirectory(programDirectory);
}

void TStartupWork::FollowDirCfg() {
    memo1_.Clear();
    memo1_.LoadFromFile(kDirFile);
    // The text without its line break; a directory that does not exist leaves
    // the current one current.
    (void)platform_.ChangeDirectory(DropLast(memo1_.Text(), 2));
}

}  // namespace zv
