#pragma once
// announce.cfg: plain "Name=value" lines beside config.cfg, one for each row
// of schedule/AnnounceKeys. Unknown lines are ignored; a bad value costs only
// its own line, which keeps its default.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/AnnounceSettings.h"

namespace zv {

class IFileStore;

inline constexpr const char* kAnnounceFileName = "announce.cfg";

struct AnnounceRead {
    AnnounceSettings settings;
    // One Russian line per problem, in file order, the first kMaxListed only;
    // errorCount counts them all.
    std::vector<std::string> errors;
    size_t errorCount = 0;
    static constexpr size_t kMaxListed = 8;
};

// Reads the file's bytes; nullopt (no file) gives the defaults and no error.
AnnounceRead ParseAnnounceConfig(const std::optional<std::string>& bytes);

// Reads announce.cfg through the store. No file (exists false) gives the
// defaults and no error; a file that cannot be read gives the defaults and
// one error.
AnnounceRead LoadAnnounceConfig(IFileStore& files, bool exists);

// Writes announce.cfg; throws EFileError naming the full path on failure.
void SaveAnnounceConfig(IFileStore& files, const AnnounceSettings& settings);

// The file as Apply writes it: every line, the last included, ends in CR LF.
std::string FormatAnnounceConfig(const AnnounceSettings& settings);

// The text of the one error box for a whole file; empty when there is nothing
// to say. Long lists are cut so that the box still fits on a screen.
std::string AnnounceErrorBoxText(const AnnounceRead& read);

// The message for a file that exists but cannot be read.
std::string AnnounceUnreadableMessage(std::string_view systemText);

}  // namespace zv
