#pragma once
// The start-up work of the first clock tick: find the program directory and
// make it current, show the clock, load "config.cfg", start the hotkey and
// apply the start mode.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zv {

class TMemo;
class ISettingsControls;

// The folder part of a file's full path: everything before its last
// backslash, which a drive's root keeps (C:\ of C:\a.exe). "" when there is none.
std::string FolderOf(const std::string& path);

// Two spellings of one folder: letters compared without case, backslash and
// slash alike, a trailing separator ignored. Empty names no folder.
bool SameFolder(const std::string& a, const std::string& b);

// What the start-up work needs of the machine.
class IStartupPlatform {
  public:
    virtual ~IStartupPlatform() = default;
    // A file (not a folder) of that name or path exists.
    virtual bool FileExists(const std::string& name) = 0;
    virtual std::string CurrentDirectory() = 0;
    // False when the directory cannot be made current.
    virtual bool ChangeDirectory(const std::string& path) = 0;
    // The folder of the running executable, without a trailing backslash
    // (a drive's root keeps its own); "" when it cannot be had.
    virtual std::string ExeDirectory() = 0;
    // OpenDialog1 (title "Укажите, где лежит Zvenoks.exe", filter "Zvenoks.exe|Zvenoks.exe"):
    // the chosen file's full path, or nothing when the user cancels.
    virtual std::optional<std::string> ExecuteOpenDialog() = 0;
    // Text in the system's ANSI code page (a dir.cfg written by hand) as UTF-8.
    virtual std::string FromAnsiCodePage(const std::string& bytes) = 0;
    // The folder config.cfg is read from is current now: settle where the
    // settings live before the first is read.
    virtual void ProgramFolderSettled() = 0;
};

// What it needs of the main window.
class IStartupWindow {
  public:
    virtual ~IStartupWindow() = default;
    // Hides the application window, which takes the taskbar button with it.
    virtual void HideApplicationWindow() = 0;
    virtual void ApplyLayout() = 0;
    // Makes the main window visible, then Image1, Image2 and Label1 to Label6.
    virtual void ShowMainWindowAndControls() = 0;
    virtual void HideMainWindow() = 0;
};

class TStartupWork {
  public:
    TStartupWork(IStartupPlatform& platform, IStartupWindow& window, TMemo& memo1,
                 std::string& settingsText, uint16_t& startupPhase, ISettingsControls& form3,
                 std::function<void()> hotkeyStartupPath);

    // Runs once, in kPhaseStartup. A failing step throws and ends
    // the work there; the phase is kPhaseIdle by then, so nothing is retried.
    void Run();

  private:
    // The current directory holds the program: "Zvenoks.exe" is there, or it is
    // the running executable's own folder, whatever the file is called.
    bool InProgramDirectory();
    void LocateProgramDirectory();
    void FollowDirCfg();

    IStartupPlatform& platform_;
    IStartupWindow& window_;
    TMemo& memo1_;
    std::string& settingsText_;
    uint16_t& startupPhase_;
    ISettingsControls& form3_;
    std::function<void()> hotkeyStartupPath_;
};

}  // namespace zv
