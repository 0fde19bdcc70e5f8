#include "schedule/AnnounceConfig.h"

#include "core/Errors.h"
#include "core/Utf8.h"
#include "schedule/AnnounceKeys.h"
#include "settings/FileStore.h"

namespace zv {
namespace {

constexpr size_t kQuoteLimit = 60;  // bytes of a bad line shown in the box

// The start of a line for the box, cut on a character boundary.
std::string Quote(std::string_view line) {
    if (line.size() <= kQuoteLimit) return std::string(line);
    size_t end = kQuoteLimit;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    return std::string(line.substr(0, end)) + "…";
}

}  // namespace

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
            report(std::string(kAnnounceFileName) + ": строка " + std::to_string(lineNumber) +
                   " не является текстом; она пропущена.");
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const AnnounceKey* key = FindAnnounceKey(TrimBlanks(line.substr(0, eq)));
        if (!key) continue;
        if (!key->read(TrimBlanks(line.substr(eq + 1)), read.settings)) {
            key->reset(read.settings);
            report(std::string(kAnnounceFileName) + ": неверное значение в строке \"" +
                   Quote(TrimBlanks(line)) + "\"; используется значение по умолчанию.");
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

std::string FormatAnnounceConfig(const AnnounceSettings& settings) {
    std::string out;
    for (const AnnounceKey& key : AnnounceKeys())
        out += std::string(key.name) + "=" + key.write(settings) + "\r\n";
    return out;
}

std::string AnnounceErrorBoxText(const AnnounceRead& read) {
    std::string text;
    for (const std::string& e : read.errors) {
        if (!text.empty()) text += "\n";
        text += e;
    }
    if (read.errorCount > read.errors.size()) {
        text += "\nЕщё ошибок в " + std::string(kAnnounceFileName) + ": " +
                std::to_string(read.errorCount - read.errors.size()) + ".";
    }
    return text;
}

std::string AnnounceUnreadableMessage(std::string_view systemText) {
    return std::string(kAnnounceFileName) + ": файл не читается (" + std::string(systemText) +
           "); используются значения по умолчанию.";
}

}  // namespace zv
