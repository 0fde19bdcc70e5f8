#pragma once
// The start-up work's machine side: files, directories, the executable's
// folder and OpenDialog1.
#include <windows.h>

#include "app/Startup.h"
#include "settings/SettingsFolder.h"

namespace zv::win {

class TWinStartupPlatform final : public IStartupPlatform {
  public:
    // dialogOwner: the window OpenDialog1 stays in front of (the topmost clock);
    // settings: what chooses where the settings live, if anything does.
    explicit TWinStartupPlatform(HWND dialogOwner, TSettingsFolder* settings = nullptr)
        : dialogOwner_(dialogOwner), settings_(settings) {}

    bool FileExists(const std::string& name) override;
    std::string CurrentDirectory() override;
    bool ChangeDirectory(const std::string& path) override;
    std::string ExeDirectory() override;
    // Throws when the dialog itself fails, which would otherwise spin the
    // Cancel loop for ever.
    std::optional<std::string> ExecuteOpenDialog() override;
    std::string FromAnsiCodePage(const std::string& bytes) override;
    void ProgramFolderSettled() override {
        if (settings_) settings_->Choose();
    }

  private:
    HWND dialogOwner_;
    TSettingsFolder* settings_;
};

}  // namespace zv::win
