#pragma once
// IFileStore over CreateFileW / ReadFile / WriteFile / MoveFileExW / GetFullPathNameW;
// names are UTF-8.
#include "settings/FileStore.h"

namespace zv::win {

class TWinFileStore final : public IFileStore {
  public:
    std::string ReadAll(const std::string& name) override;
    void WriteAll(const std::string& name, std::string_view bytes) override;
    std::string FullPath(const std::string& name) override;
};

}  // namespace zv::win
