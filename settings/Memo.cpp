#include "settings/Memo.h"

#include "core/Errors.h"
#include "settings/FileStore.h"

namespace zv {
namespace {

std::string FileMessage(const char* what, IFileStore& files, const std::string& name,
                        const EFileStoreFailure& failure) {
    return std::string(what) + " \"" + files.FullPath(name) + "\". " +
           TrimSystemMessage(failure.what());
}

}  // namespace

std::string AdjustLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string_view WithoutFinalLineBreak(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\n') || text.ends_with('\r')) {
        text.remove_suffix(1);
    }
    return text;
}

void TMemo::Add(std::string_view line) {
    text_ += line;
    text_ += "\r\n";
}

void TMemo::LoadFromFile(const std::string& name) {
    try {
        text_ = AdjustLineBreaks(files_.ReadAll(name));
    } catch (const EFileStoreFailure& failure) {
        throw EFileError(FileMessage("Cannot open file", files_, name, failure));
    }
}

void TMemo::SaveToFile(const std::string& name) const {
    try {
        files_.WriteAll(name, text_);
    } catch (const EFileStoreFailure& failure) {
        throw EFileError(FileMessage("Cannot create file", files_, name, failure));
    }
}

}  // namespace zv
