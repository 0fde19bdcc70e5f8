#include "voices/StdVoiceFolders.h"

#include <utility>

namespace zv {

TStdVoiceFolders::TStdVoiceFolders(std::filesystem::path programFolder)
    : root_(std::move(programFolder)) {}

std::filesystem::path TStdVoiceFolders::Resolve(const std::string& path) const {
    std::string slashed = path;
    for (char& c : slashed) {
        if (c == '\\') c = '/';
    }
    return root_ / slashed;
}

std::vector<std::string> TStdVoiceFolders::ListFolders(const std::string& dir) {
    std::vector<std::string> names;
    // A missing or unreadable folder holds no packs: the list then offers the
    // standard voice alone, which is all there is to choose.
    std::error_code error;
    std::filesystem::directory_iterator it(Resolve(dir), error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code ignored;  // an entry that vanished meanwhile is no folder
        if (it->is_directory(ignored)) names.push_back(it->path().filename().string());
    }
    return names;
}

bool TStdVoiceFolders::FileExists(const std::string& path) {
    std::error_code ignored;  // unreadable counts as missing: the pack is shown incomplete
    return std::filesystem::is_regular_file(Resolve(path), ignored);
}

}  // namespace zv
