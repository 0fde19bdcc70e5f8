#include "win32/ErrorBox.h"

#include "core/Errors.h"
#include "win32/ModulePath.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {
void (*gSink)(const std::string&) = nullptr;
}

const std::string& AppTitle() {
    static const std::string title = ApplicationTitle(ModulePath());
    return title;
}

void SetErrorSink(void (*sink)(const std::string& text)) {
    gSink = sink;
}

void ShowErrorBox(const std::string& message) {
    std::string text = ErrorBoxText(message);
    if (gSink) {
        gSink(text);
        return;
    }
    // Owned by the active window of this thread, so the box stays in front of
    // the topmost clock.
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(AppTitle()).c_str(),
                MB_OK | MB_ICONSTOP | MB_TOPMOST);
}

}  // namespace zv::win
