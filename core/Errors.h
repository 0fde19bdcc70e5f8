#pragma once
// Exceptions the program raises. None may leave a window procedure or a timer
// callback: the Windows side catches them there and shows ErrorBoxText().
#include <stdexcept>
#include <string>
#include <string_view>

namespace zv {

class Exception : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
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

}  // namespace zv
