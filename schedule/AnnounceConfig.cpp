#include "schedule/AnnounceConfig.h"

#include <initializer_list>

#include "core/Errors.h"
#include "core/Utf8.h"
#include "settings/FileStore.h"
#include "voices/VoiceList.h"

namespace zv {
namespace {

constexpr size_t kQuoteLimit = 60;  // bytes of a bad line shown in the box

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The start of a line for the box, cut on a character boundary.
std::string Quote(std::string_view line) {
    if (line.size() <= kQuoteLimit) return std::string(line);
    size_t end = kQuoteLimit;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    return std::string(line.substr(0, end)) + "…";
}

// A small decimal number: one to three digits, nothing else.
std::optional<int> SmallNumber(std::string_view s) {
    if (s.empty() || s.size() > 3) return std::nullopt;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool OneOf(int n, std::initializer_list<int> allowed) {
    for (int a : allowed)
        if (a == n) return true;
    return false;
}

// Applies one known line; false when its value is bad (the setting then
// takes its default).
bool ApplyLine(std::string_view name, std::string_view value, AnnounceSettings& s, bool& known) {
    const AnnounceSettings defaults;
    known = true;
    const std::optional<int> n = SmallNumber(value);
    if (name == "Every") {
        const bool ok = n && OneOf(*n, {0, 1, 5, 10, 15, 30, 60});
        s.every = ok ? *n : defaults.every;
        return ok;
    }
    if (name == "Quiet") {
        if (ParseQuiet(value, s)) return true;
        s.quiet = defaults.quiet, s.quietFrom = defaults.quietFrom, s.quietTo = defaults.quietTo;
        return false;
    }
    if (name == "Chime") {
        const bool ok = n && *n <= 2;
        s.chime = ok ? *n : defaults.chime;
        return ok;
    }
    if (name == "Volume") {
        const bool ok = n && *n <= 100;
        s.volume = ok ? *n : defaults.volume;
        return ok;
    }
    if (name == "Fullscreen") {
        const bool ok = n && *n <= 1;
        s.fullscreen = ok ? *n == 1 : defaults.fullscreen;
        return ok;
    }
    if (name == "Voice") {
        const bool ok = value.empty() || IsSafeVoiceName(value);
        s.voice = ok ? std::string(value) : defaults.voice;
        return ok;
    }
    known = false;
    return true;
}

std::optional<int> Hour(std::string_view s) {
    if (s.empty() || s.size() > 2) return std::nullopt;
    const std::optional<int> n = SmallNumber(s);
    if (!n || *n > 23) return std::nullopt;
    return n;
}

}  // namespace

bool ParseQuiet(std::string_view value, AnnounceSettings& settings) {
    if (value.empty()) {
        // No quiet hours; the hours kept are the defaults, so that one file
        // text means one record (and the dialog offers them when ticked).
        const AnnounceSettings defaults;
        settings.quiet = false;
        settings.quietFrom = defaults.quietFrom;
        settings.quietTo = defaults.quietTo;
        return true;
    }
    const size_t dash = value.find('-');
    if (dash == std::string_view::npos) return false;
    const std::optional<int> from = Hour(Trim(value.substr(0, dash)));
    const std::optional<int> to = Hour(Trim(value.substr(dash + 1)));
    if (!from || !to) return false;
    settings.quiet = true;
    settings.quietFrom = *from;
    settings.quietTo = *to;
    return true;
}

std::string FormatQuiet(const AnnounceSettings& s) {
    if (!s.quiet) return "";
    return std::to_string(s.quietFrom) + "-" + std::to_string(s.quietTo);
}

AnnounceRead ParseAnnounceConfig(const std::optional<std::string>& bytes) {
    AnnounceRead read;
    if (!bytes) return read;
    std::string_view text = *bytes;
    // Notepad saves UTF-8 with a byte order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    auto report = [&read](std::string message) {
        ++read.errorCount;
        if (read.errors.size() < AnnounceRead::kMaxListed)
            read.errors.push_back(std::move(message));
    };
    size_t lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        ++lineNumber;

        if (!IsPrintableUtf8(line)) {
            report("announce.cfg: строка " + std::to_string(lineNumber) +
                   " не является текстом; она пропущена.");
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        bool known = false;
        if (!ApplyLine(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), read.settings, known)) {
            report("announce.cfg: неверное значение в строке \"" + Quote(Trim(line)) +
                   "\"; используется значение по умолчанию.");
        }
    }
    return read;
}

AnnounceRead LoadAnnounceConfig(IFileStore& files, bool exists) {
    if (!exists) return ParseAnnounceConfig(std::nullopt);
    try {
        return ParseAnnounceConfig(files.ReadAll(kAnnounceFileName));
    } catch (const EFileStoreFailure& failure) {
        AnnounceRead read;
        read.errors.push_back(AnnounceUnreadableMessage(TrimSystemMessage(failure.what())));
        read.errorCount = 1;
        return read;
    }
}

void SaveAnnounceConfig(IFileStore& files, const AnnounceSettings& settings) {
    try {
        files.WriteAll(kAnnounceFileName, FormatAnnounceConfig(settings));
    } catch (const EFileStoreFailure& failure) {
        throw EFileError("Не удалось записать файл \"" + files.FullPath(kAnnounceFileName) +
                         "\": " + TrimSystemMessage(failure.what()));
    }
}

std::string FormatAnnounceConfig(const AnnounceSettings& s) {
    std::string out;
    out += "Every=" + std::to_string(s.every) + "\r\n";
    out += "Quiet=" + FormatQuiet(s) + "\r\n";
    out += "Chime=" + std::to_string(s.chime) + "\r\n";
    out += "Volume=" + std::to_string(s.volume) + "\r\n";
    out += std::string("Fullscreen=") + (s.fullscreen ? "1" : "0") + "\r\n";
    out += "Voice=" + s.voice + "\r\n";
    return out;
}

std::string AnnounceErrorBoxText(const AnnounceRead& read) {
    std::string text;
    for (const std::string& e : read.errors) {
        if (!text.empty()) text += "\n";
        text += e;
    }
    if (read.errorCount > read.errors.size()) {
        text +=
            "\nЕщё ошибок в announce.cfg: " + std::to_string(read.errorCount - read.errors.size()) +
            ".";
    }
    return text;
}

std::string AnnounceUnreadableMessage(std::string_view systemText) {
    return "announce.cfg: файл не читается (" + std::string(systemText) +
           "); используются значения по умолчанию.";
}

}  // namespace zv
