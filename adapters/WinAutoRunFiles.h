#pragma once
// IAutoRunFiles over the file system: final paths, and the access lists of
// the executable and its folder.
#include "shell/AutoRunner.h"

namespace zv::win {

class TWinAutoRunFiles final : public IAutoRunFiles {
  public:
    std::string FinalPath(const std::string& path) override;
    bool UsersMayReplace(const std::string& exePath) override;
};

// Whether a standard user may change the file or folder at `path`, read from
// its access list; true when the list cannot be read.
bool UsersMayChange(const std::string& path);

}  // namespace zv::win
