#include "win32/SystemError.h"

#include "core/Errors.h"
#include "win32/ErrorBox.h"
#include "win32/Utf16.h"

namespace zv::win {

std::string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (n && buffer) text = Narrow(std::wstring_view(buffer, n));
    if (buffer) LocalFree(buffer);
    if (text.empty())
        text = "Системная ошибка " + std::to_string(code) + ". " + std::string(kTryAgainText);
    return TrimSystemMessage(text);
}

}  // namespace zv::win
