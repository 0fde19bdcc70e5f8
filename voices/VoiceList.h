#pragma once
// The voices the user can choose from: the standard recordings beside the exe,
// then every folder under voices\ that holds a pack of its own.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The recordings every voice has: whatever the announcement can ask for.
extern const std::array<const char*, 33> kVoiceFiles;

// The recordings only the «ровно» and colloquial styles play; a voice lacking
// any of them speaks officially.
inline constexpr std::array<const char*, 42> kStyleFiles = {
    "bez.wav",     "chetvert.wav", "chetverti.wav", "polovina.wav", "rovno.wav",  "polden.wav",
    "polnoch.wav", "utra.wav",     "dnya.wav",      "vechera.wav",  "nochi.wav",  "1_ord.wav",
    "2_ord.wav",   "3_ord.wav",    "4_ord.wav",     "5_ord.wav",    "6_ord.wav",  "7_ord.wav",
    "8_ord.wav",   "9_ord.wav",    "10_ord.wav",    "11_ord.wav",   "12_ord.wav", "1_gen.wav",
    "2_gen.wav",   "3_gen.wav",    "4_gen.wav",     "5_gen.wav",    "6_gen.wav",  "7_gen.wav",
    "8_gen.wav",   "9_gen.wav",    "10_gen.wav",    "11_gen.wav",   "12_gen.wav", "13_gen.wav",
    "14_gen.wav",  "16_gen.wav",   "17_gen.wav",    "18_gen.wav",   "19_gen.wav", "20_gen.wav",
};

// Every recording a date can ask for; a voice lacking any of them says the
// date in the standard voice.
inline constexpr std::array<const char*, 41> kDateFiles = {
    "segodnya.wav", "ponedelnik.wav", "vtornik.wav",    "sreda.wav",    "chetverg.wav",
    "pyatnica.wav", "subbota.wav",    "voskresene.wav", "yanvarya.wav", "fevralya.wav",
    "marta.wav",    "aprelya.wav",    "maya.wav",       "iyunya.wav",   "iyulya.wav",
    "avgusta.wav",  "sentyabrya.wav", "oktyabrya.wav",  "noyabrya.wav", "dekabrya.wav",
    "1_neut.wav",   "2_neut.wav",     "3_neut.wav",     "4_neut.wav",   "5_neut.wav",
    "6_neut.wav",   "7_neut.wav",     "8_neut.wav",     "9_neut.wav",   "10_neut.wav",
    "11_neut.wav",  "12_neut.wav",    "13_neut.wav",    "14_neut.wav",  "15_neut.wav",
    "16_neut.wav",  "17_neut.wav",    "18_neut.wav",    "19_neut.wav",  "20_neut.wav",
    "30_neut.wav",
};

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
