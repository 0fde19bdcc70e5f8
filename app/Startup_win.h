#pragma once
// The start-up work's machine side: files, directories, the executable's
// folder and OpenDialog1.
#include <windows.h>

#include "app/Startup.h"

namespace zv::win {

class TWinStartupPlatform final : public IStartupPlatform {
  public:
    // dialogOwner: the window OpenDialog1 stays in front of (the topmost clock).
    explicit TWinStartupPlatform(HWND dialogOwner) : dialogOwner_(dialogOwner) {}

    bool FileExists(const std::string& name) override;
    std::string CurrentDirectory() override;
    bool ChangeDirectory(const std::string& path) override;
    std::string ExeDirectory() override;
    // Throws when the dialog itself fails, which would otherwise spin the
    // Cancel loop for ever.
    std::optional<std::string> ExecuteOpenDialog() override;
    std::string FromAnsiCodePage(const std::string& bytes) override;

  private:
    HWND dialogOwner_;
};

}  // namespace zv::win
