#include "voices/VoiceList.h"

#include <algorithm>

#include "core/Utf8.h"

namespace zv {

const std::array<const char*, 33> kVoiceFiles = {
    "0.wav",     "1.wav",      "2.wav",      "3.wav",      "4.wav",     "5.wav",   "6.wav",
    "7.wav",     "8.wav",      "9.wav",      "10.wav",     "11.wav",    "12.wav",  "13.wav",
    "14.wav",    "15.wav",     "16.wav",     "17.wav",     "18.wav",    "19.wav",  "20.wav",
    "30.wav",    "40.wav",     "50.wav",     "0_0.wav",    "odna.wav",  "dve.wav", "chas.wav",
    "chasa.wav", "chasov.wav", "minuta.wav", "minuty.wav", "minut.wav",
};

namespace {

// Windows compares file names without letter case; so does the order here,
// for the Latin letters at least, with the bytes breaking ties.
bool NameLess(const std::string& a, const std::string& b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    auto less = [&](char x, char y) {
        return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), less)) return false;
    return a < b;
}

}  // namespace

bool IsSafeVoiceName(std::string_view name) {
    if (name.empty() || name.size() > 64 || !IsPrintableUtf8(name)) return false;
    if (name == "." || name.find("..") != std::string_view::npos) return false;
    // Separators, a drive's colon and what Windows forbids in a folder name.
    if (name.find_first_of("/\\:*?\"<>|\t") != std::string_view::npos) return false;
    // Windows drops a trailing blank or dot, so two names would mean one folder.
    return name.back() != ' ' && name.back() != '.' && name.front() != ' ';
}

std::string VoiceFile(const std::string& voice, const std::string& file) {
    if (voice.empty()) return file;
    return std::string(kVoicesFolder) + "\\" + voice + "\\" + file;
}

std::string FirstMissingFile(IVoiceFolders& folders, const std::string& voice) {
    for (const char* file : kVoiceFiles) {
        if (!folders.FileExists(VoiceFile(voice, file))) return file;
    }
    return "";
}

bool HasStyleFiles(IVoiceFolders& folders, const std::string& voice) {
    return std::all_of(kStyleFiles.begin(), kStyleFiles.end(), [&](const char* file) {
        return folders.FileExists(VoiceFile(voice, file));
    });
}

bool HasDateFiles(IVoiceFolders& folders, const std::string& voice) {
    return std::all_of(kDateFiles.begin(), kDateFiles.end(), [&](const char* file) {
        return folders.FileExists(VoiceFile(voice, file));
    });
}

std::vector<VoiceEntry> ListVoices(IVoiceFolders& folders) {
    std::vector<std::string> names = folders.ListFolders(kVoicesFolder);
    // A folder whose name could not be written back to announce.cfg as one
    // folder is no pack.
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return !IsSafeVoiceName(n); }),
                names.end());
    std::sort(names.begin(), names.end(), NameLess);
    std::vector<VoiceEntry> voices{{"", "", HasStyleFiles(folders, "")}};
    for (const std::string& name : names) {
        voices.push_back({name, FirstMissingFile(folders, name), HasStyleFiles(folders, name)});
    }
    return voices;
}

VoiceChoice ChooseVoice(IVoiceFolders& folders, const std::string& chosen) {
    if (chosen.empty()) return {};
    // A name announce.cfg could not hold has none of the recordings.
    std::string missing =
        IsSafeVoiceName(chosen) ? FirstMissingFile(folders, chosen) : kVoiceFiles[0];
    if (missing.empty()) return {chosen, false, ""};
    return {"", true, std::move(missing)};
}

}  // namespace zv
