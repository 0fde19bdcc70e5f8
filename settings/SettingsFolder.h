#pragma once
// Where config.cfg and announce.cfg live. Beside the exe as a rule; in the
// user's own folder when the program folder takes no new file (Program Files,
// a machine-wide package, a folder an administrator locked), read from there
// once it has them and from the program folder, as the first run's defaults,
// until then.
#include <string>
#include <string_view>
#include <vector>

#include "settings/FileStore.h"

namespace zv {

// The name a write's new bytes get beside `target` before they replace it:
// "<target>.~<process id>-<counter>.tmp", both numbers in hex.
std::string ReplacementName(const std::string& target, unsigned long processId, unsigned counter);
// True for a file name (no folder) made by ReplacementName for `settingsFile`,
// letters compared without case; nothing else of a like name.
bool IsReplacementOf(std::string_view fileName, std::string_view settingsFile);

class ISettingsFolderPlatform {
  public:
    virtual ~ISettingsFolderPlatform() = default;
    // A file (not a folder) is there.
    virtual bool FileExists(const std::string& path) = 0;
    // The folder ("" for the current one) refuses a new file for good: access
    // denied or write-protected. Any other failure is left to the write.
    virtual bool RefusesNewFiles(const std::string& folder) = 0;
    // The user's own settings folder for the program; "" when there is none.
    virtual std::string UserFolder() = 0;
    // Makes the folder if it is not there; throws EFileStoreFailure when it cannot.
    virtual void MakeFolder(const std::string& path) = 0;
    // The names (no folder) of the files in the folder ("" for the current one)
    // whose names start with `prefix`.
    virtual std::vector<std::string> FilesStartingWith(const std::string& folder,
                                                       const std::string& prefix) = 0;
    // Deletes the file; false when it cannot.
    virtual bool RemoveFile(const std::string& path) = 0;
};

// The file store the settings go through: other names pass straight on.
class TSettingsFolder final : public IFileStore {
  public:
    // names: the settings files' bare names.
    TSettingsFolder(IFileStore& files, ISettingsFolderPlatform& platform,
                    std::vector<std::string> names);

    // Once, when the program folder is current: picks the folder and deletes
    // the replacements a crash or a power cut left beside the settings files.
    void Choose();
    // "" while the settings stay in the program folder.
    const std::string& UserFolder() const { return userFolder_; }
    // Where a read of `name` goes now.
    std::string ReadPath(const std::string& name);

    std::string ReadAll(const std::string& name) override;
    void WriteAll(const std::string& name, std::string_view bytes) override;
    // The file the last read or write of `name` went to (a read's, before either).
    std::string FullPath(const std::string& name) override;

  private:
    // Where the last read or write of a settings file went; null for other
    // names and while the settings stay in the program folder.
    std::string* LastPath(const std::string& name);

    IFileStore& files_;
    ISettingsFolderPlatform& platform_;
    const std::vector<std::string> names_;
    std::vector<std::string> last_;  // one for each name
    std::string userFolder_;
};

}  // namespace zv
