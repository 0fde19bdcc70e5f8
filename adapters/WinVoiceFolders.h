#pragma once
// The voice folders as Windows sees them, through the UTF-16 calls, so that a
// Cyrillic folder name is found in any system locale. Relative paths are
// resolved against the current directory, which start-up made the program
// folder.
#include <string>
#include <vector>

#include "voices/VoiceList.h"

namespace zv::win {

class TWinVoiceFolders final : public IVoiceFolders {
  public:
    std::vector<std::string> ListFolders(const std::string& dir) override;
    bool FileExists(const std::string& path) override;
};

}  // namespace zv::win
