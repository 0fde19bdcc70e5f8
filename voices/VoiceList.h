#pragma once
// The voices the user can choose from: the standard recordings beside the exe,
// then every folder under voices\ that holds a pack of its own.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "speech/DatePhrasing.h"
#include "speech/Phrasing.h"

namespace zv {

// The recordings every voice has: whatever the announcement can ask for.
extern const std::array<const char*, 33> kVoiceFiles;

// The folder the packs live in, relative to the program folder.
inline constexpr const char* kVoicesFolder = "voices";

// What the voice list needs of the file system. Paths are relative to the
// program folder, with backslashes, UTF-8.
class IVoiceFolders {
  public:
    virtual ~IVoiceFolders() = default;
    // The names of the folders directly inside `dir`, in no particular order;
    // none when `dir` is missing or unreadable.
    virtual std::vector<std::string> ListFolders(const std::string& dir) = 0;
    // True when `path` names a file (not a folder).
    virtual bool FileExists(const std::string& path) = 0;
};

// A pack folder's name the program may join to its own path and keep in
// announce.cfg: one folder directly inside voices\, the same on every Windows.
bool IsSafeVoiceName(std::string_view name);

struct VoiceEntry {
    std::string name;          // "" for the standard voice, else the pack's folder
    std::string firstMissing;  // the first recording the pack lacks, "" when complete
    bool allStyles = false;    // has every recording of kStyleFiles too

    bool Complete() const { return firstMissing.empty(); }
    bool operator==(const VoiceEntry&) const = default;
};

// The path the clip player opens for recording `file` ("20.wav") of `voice`:
// the bare name for the standard voice, else "voices\<voice>\<file>".
std::string VoiceFile(const std::string& voice, const std::string& file);

// The first of the 33 recordings missing from `voice`, "" when it has them all.
std::string FirstMissingFile(IVoiceFolders& folders, const std::string& voice);

// True when `voice` has every recording of the «ровно» and colloquial styles.
bool HasStyleFiles(IVoiceFolders& folders, const std::string& voice);

// True when `voice` has every recording of a date.
bool HasDateFiles(IVoiceFolders& folders, const std::string& voice);

// The style `voice` speaks when `chosen` is set: a voice made before those
// styles existed keeps working, officially.
SpeechStyle StyleForVoice(IVoiceFolders& folders, const std::string& voice, SpeechStyle chosen);

// "Стандартный" first, then each folder under voices\ ordered by name, letter
// case aside. A folder lacking a recording is listed with what it lacks.
std::vector<VoiceEntry> ListVoices(IVoiceFolders& folders);

// The voice to play when `chosen` was set: itself while its pack is complete,
// else the standard voice with `fellBack` set and the first recording the
// pack lacks in `missing`, so the caller can say so once.
struct VoiceChoice {
    std::string voice;
    bool fellBack = false;
    std::string missing;
};
VoiceChoice ChooseVoice(IVoiceFolders& folders, const std::string& chosen);

}  // namespace zv
