#include "app/Startup.h"

#include <string_view>
#include <utility>

#include "core/StartupPhase.h"
#include "core/Utf8.h"
#include "settings/ConfigFile.h"
#include "settings/Memo.h"
#include "settings/SettingsControls.h"
#include "settings/SettingsText.h"

namespace zv {
namespace {

constexpr const char* kProgramFile = "Zvenoks.exe";
constexpr const char* kDirFile = "dir.cfg";

// A root directory ("C:\") already ends in its separator.
std::string InDirectory(const std::string& directory, const char* name) {
    return directory + (directory.ends_with('\\') ? "" : "\\") + name;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Without trailing separators, unless that leaves a drive ("C:") or nothing.
std::string_view Trimmed(std::string_view path) {
    while (path.size() > 1 && IsSeparator(path.back()) && !path.ends_with(":\\") &&
           !path.ends_with(":/"))
        path.remove_suffix(1);
    return path;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    // "C:" alone would name the drive's current directory, not its root.
    const bool root = slash == 2 && path[1] == ':';
    return path.substr(0, root ? slash + 1 : slash);
}

bool SameFolder(const std::string& a, const std::string& b) {
    const std::string_view x = Trimmed(a), y = Trimmed(b);
    if (x.empty() || x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (IsSeparator(x[i]) && IsSeparator(y[i])) continue;
        if (Lower(x[i]) != Lower(y[i])) return false;
    }
    return true;
}

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
    startupPhase_ = kPhaseIdle;
    if (!InProgramDirectory() && !platform_.FileExists(kDirFile)) LocateProgramDirectory();
    if (!InProgramDirectory() && platform_.FileExists(kDirFile)) FollowDirCfg();
    platform_.ProgramFolderSettled();
    window_.ApplyLayout();
    window_.ShowMainWindowAndControls();
    memo1_.Clear();
    memo1_.LoadFromFile(config::kFileName);
    settingsText_ = memo1_.Text();
    if (hotkeyStartupPath_) hotkeyStartupPath_();
    if (Contains(settingsText_, config::kRunInTray)) window_.HideMainWindow();
    if (Contains(settingsText_, config::kRun))
        form3_.SetComboBox2Text(
            ComboItem(kComboBox2Items, ValueLookup(settingsText_, config::kRun) - 1));
}

bool TStartupWork::InProgramDirectory() {
    // A browser saves a second download as "Zvenoks (1).exe": its folder is
    // still the program's, and a dir.cfg lying there is not followed.
    return platform_.FileExists(kProgramFile) ||
           SameFolder(platform_.CurrentDirectory(), platform_.ExeDirectory());
}

void TStartupWork::LocateProgramDirectory() {
    // Started by the system with another working directory: the executable's
    // own folder is the program directory, whatever the file is called. Only a
    // folder that cannot be had, or made current, leaves it to the user.
    const std::string exeDirectory = platform_.ExeDirectory();
    if (!exeDirectory.empty() && platform_.ChangeDirectory(exeDirectory)) return;
    const std::string startDirectory = platform_.CurrentDirectory();
    std::optional<std::string> chosen;
    // Cancel is not an answer: the program cannot run without its directory.
    while (!(chosen = platform_.ExecuteOpenDialog())) {
    }
    // The chosen file's folder, whatever the file is called.
    const std::string programDirectory = FolderOf(*chosen);
    // A directory that cannot be made current leaves the current one current,
    // and dir.cfg unwritten: the next start asks again.
    if (!platform_.ChangeDirectory(programDirectory)) return;
    memo1_.Clear();
    memo1_.Add(programDirectory);
    memo1_.SaveToFile(InDirectory(startDirectory, kDirFile));
}

void TStartupWork::FollowDirCfg() {
    memo1_.Clear();
    memo1_.LoadFromFile(kDirFile);
    // The text without its line break, which a file written by hand may lack;
    // a directory that does not exist leaves the current one current. The
    // program writes the folder in UTF-8; a file that is not UTF-8 was written
    // by hand in the system's code page.
    std::string folder(WithoutFinalLineBreak(memo1_.Text()));
    if (!IsValidUtf8(folder)) folder = platform_.FromAnsiCodePage(folder);
    (void)platform_.ChangeDirectory(folder);
}

}  // namespace zv
