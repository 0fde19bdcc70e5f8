#include "win32/ErrorBox.h"

#include "core/ErrorBoxQueue.h"
#include "core/Errors.h"
#include "win32/ModulePath.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {
void (*gSink)(const std::string&) = nullptr;
}

const std::string& AppTitle() {
    static const std::string title = ApplicationTitle(ExePath());
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
    // An error raised while a box is open (a tick inside the box's own
    // message loop) is shown by the loop below once that box is closed.
    static TErrorBoxQueue boxes;
    if (!boxes.Offer(text)) return;
    for (std::optional<std::string> next = text; next; next = boxes.Closed()) {
        // Owned by the active window of this thread, so the box stays in front
        // of the topmost clock.
        MessageBoxW(GetActiveWindow(), Widen(*next).c_str(), Widen(AppTitle()).c_str(),
                    MB_OK | MB_ICONSTOP | MB_TOPMOST);
    }
}

}  // namespace zv::win
