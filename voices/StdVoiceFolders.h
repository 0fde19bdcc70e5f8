#pragma once
// The voice folders through std::filesystem, for native builds and tests.
// The program itself gets a Windows side beside the other wrappers
// (adapters/WinVoiceFolders: FindFirstFileW and GetFileAttributesW over the
// UTF-16 form of the path), since a narrow std::filesystem path is read in
// the ANSI code page there and would miss Cyrillic folder names.
#include <filesystem>
#include <string>
#include <vector>

#include "voices/VoiceList.h"

namespace zv {

class TStdVoiceFolders final : public IVoiceFolders {
  public:
    // `programFolder`: what the relative paths are resolved against.
    explicit TStdVoiceFolders(std::filesystem::path programFolder);

    std::vector<std::string> ListFolders(const std::string& dir) override;
    bool FileExists(const std::string& path) override;

  private:
    std::filesystem::path Resolve(const std::string& path) const;

    std::filesystem::path root_;
};

}  // namespace zv
