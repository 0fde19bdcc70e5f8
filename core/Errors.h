#pragma once
// Exceptions the program raises. None may leave a window procedure or a timer
// callback: the Windows side catches them there and shows ErrorBoxText().
#include <cstdarg>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace zv {

// Holds its text in a std::string of its own: std::runtime_error would link
// libstdc++'s second, reference-counted string implementation into the exe.
class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    explicit Exception(const char* message) : message_(message) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

// A failed MCI open, or a query with no device open.
class EMCIDeviceError : public Exception {
  public:
    using Exception::Exception;
};

// A settings value that is not a decimal digit.
class EConvertError : public Exception {
  public:
    using Exception::Exception;
};

// "Cannot open file ..." / "Cannot create file ...".
class EFileError : public Exception {
  public:
    using Exception::Exception;
};

// The message box text: the message, with "." appended when its last
// character sorts above "." (so a message ending in a letter or digit gets one).
std::string ErrorBoxText(std::string_view message);

// The application title: the file name of the executable without directory and
// without everything from its first ".", first letter kept, the rest lower case.
std::string ApplicationTitle(std::string_view exePath);

// The operating system's error text as the file messages want it: trailing
// blanks, control characters and full stops removed.
std::string TrimSystemMessage(std::string_view text);

// An error code as "0x" and upper-case hex digits, at least minDigits of them
// (zero-padded). Written out by hand: printf's formatter alone would add
// about 20 KB to the exe.
std::string HexCode(unsigned long value, int minDigits);

// The text of a standard library error with arguments: the format knows "%s"
// (a C string), "%zu" (a std::size_t) and "%%", as the library's own formats
// use nothing else; any other "%" sequence is kept as it stands and takes no
// argument.
std::string FormatLibraryMessage(const char* format, std::va_list args);

}  // namespace zv
