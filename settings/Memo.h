#pragma once
// Memo1: the main window's hidden text buffer, used as a list of lines for
// "dir.cfg" and "config.cfg". Its whole text is the settings text.
#include <string>
#include <string_view>

namespace zv {

class IFileStore;

class TMemo {
  public:
    explicit TMemo(IFileStore& files) : files_(files) {}

    void Clear() { text_.clear(); }
    // Appends the line and CR LF.
    void Add(std::string_view line);
    // Replaces the text by the file's bytes with every line break (CR LF, LF
    // alone, CR alone) made CR LF. On failure throws EFileError
    // "Cannot open file "<full path>". <system text>" and keeps the text.
    void LoadFromFile(const std::string& name);
    // Writes the text unchanged as the file (IFileStore::WriteAll). On failure
    // throws EFileError "Cannot create file "<full path>". <system text>".
    void SaveToFile(const std::string& name) const;
    const std::string& Text() const { return text_; }

  private:
    IFileStore& files_;
    std::string text_ = "Memo1";
};

// The text with every CR LF, LF alone and CR alone made CR LF.
std::string AdjustLineBreaks(std::string_view text);

// The text without its one final line break (CR LF, LF or CR), if it has one.
std::string_view WithoutFinalLineBreak(std::string_view text);

}  // namespace zv
