#pragma once
// ISettingsFolderPlatform over the file system and the user's roaming
// application data folder; names are UTF-8.
#include "settings/SettingsFolder.h"

namespace zv::win {

class TWinSettingsFolder final : public ISettingsFolderPlatform {
  public:
    bool FileExists(const std::string& path) override;
    bool RefusesNewFiles(const std::string& folder) override;
    std::string UserFolder() override;
    void MakeFolder(const std::string& path) override;
    std::vector<std::string> FilesStartingWith(const std::string& folder,
                                               const std::string& prefix) override;
    bool RemoveFile(const std::string& path) override;
};

}  // namespace zv::win
