#include "settings/SettingsFolder.h"

#include <utility>

#include "core/Errors.h"

namespace zv {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool IsHex(char c) {
    c = Lower(c);
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// One or more hex digits at the front of `text`, taken off it.
bool TakeHex(std::string_view& text) {
    size_t n = 0;
    while (n < text.size() && IsHex(text[n])) ++n;
    text.remove_prefix(n);
    return n > 0;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() < prefix.size() || !SameName(text.substr(0, prefix.size()), prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

std::string Hex(unsigned long value) {
    return HexCode(value, 1).substr(2);
}

}  // namespace

std::string ReplacementName(const std::string& target, unsigned long processId, unsigned counter) {
    return target + ".~" + Hex(processId) + "-" + Hex(counter) + ".tmp";
}

bool IsReplacementOf(std::string_view fileName, std::string_view settingsFile) {
    return TakePrefix(fileName, settingsFile) && TakePrefix(fileName, ".~") && TakeHex(fileName) &&
           TakePrefix(fileName, "-") && TakeHex(fileName) && SameName(fileName, ".tmp");
}

TSettingsFolder::TSettingsFolder(IFileStore& files, ISettingsFolderPlatform& platform,
                                 std::vector<std::string> names)
    : files_(files), platform_(platform), names_(std::move(names)), last_(names_.size()) {}

void TSettingsFolder::Choose() {
    userFolder_.clear();
    if (platform_.RefusesNewFiles("")) userFolder_ = platform_.UserFolder();
    std::vector<std::string> folders{""};
    if (!userFolder_.empty()) folders.push_back(userFolder_ + "\\");
    for (const std::string& folder : folders) {
        for (const std::string& name : names_) {
            for (const std::string& file : platform_.FilesStartingWith(folder, name)) {
                // One that cannot be deleted is held by a save going on in
                // another session's clock that shares the folder.
                if (IsReplacementOf(file, name)) (void)platform_.RemoveFile(folder + file);
            }
        }
    }
}

std::string* TSettingsFolder::LastPath(const std::string& name) {
    if (userFolder_.empty()) return nullptr;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (SameName(name, names_[i])) return &last_[i];
    }
    return nullptr;
}

std::string TSettingsFolder::ReadPath(const std::string& name) {
    if (!LastPath(name)) return name;
    const std::string own = userFolder_ + "\\" + name;
    return platform_.FileExists(own) ? own : name;
}

std::string TSettingsFolder::ReadAll(const std::string& name) {
    const std::string path = ReadPath(name);
    if (std::string* last = LastPath(name)) *last = path;
    return files_.ReadAll(path);
}

void TSettingsFolder::WriteAll(const std::string& name, std::string_view bytes) {
    std::string* last = LastPath(name);
    if (!last) return files_.WriteAll(name, bytes);
    *last = userFolder_ + "\\" + name;
    platform_.MakeFolder(userFolder_);
    files_.WriteAll(*last, bytes);
}

std::string TSettingsFolder::FullPath(const std::string& name) {
    const std::string* last = LastPath(name);
    return files_.FullPath(!last ? name : last->empty() ? ReadPath(name) : *last);
}

}  // namespace zv
