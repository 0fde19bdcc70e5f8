#include "app/Application_win.h"

#include <algorithm>
#include <vector>

#include "app/Activation.h"
#include "core/Errors.h"
#include "resources/resource.h"
#include "win32/Dialog.h"
#include "win32/ModulePath.h"
#include "win32/SystemError.h"

namespace zv::win {

namespace {

constexpr char kClassName[] = "TApplication";

// The top-level windows that `owner` owns, topmost first.
std::vector<OwnedWindow> OwnedWindowsOf(HWND owner) {
    std::vector<OwnedWindow> owned;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) != owner) continue;
        owned.push_back(
            {reinterpret_cast<uintptr_t>(w), IsWindowVisible(w) != FALSE, IsIconic(w) != FALSE});
    }
    return owned;
}

}  // namespace

TApplication::TApplication() {
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN));
    RegisterClassOnce(kClassName, 0, icon_, ArrowCursor(), nullptr);
    // A zero-sized captioned pop-up: invisible on screen, but it owns the
    // forms, so they have no buttons of their own and this one carries it.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    CreateHandle(kClassName, "Zvenoks", 0,
                 WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                 nullptr);
}

std::string TApplication::ExeName() const {
    return ExePath();
}

void TApplication::FormCreated(IForm* form, HWND hwnd) {
    if (mainForm_) return;
    mainForm_ = form;
    mainWindow_ = hwnd;
}

void TApplication::FormShowing() {
    if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

int TApplication::Run() {
    MSG msg{};
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) break;
        // Only a bad window handle or message pointer makes it fail, and the
        // loop passes neither: a failure here is a broken program, not input.
        if (got == -1) throw Exception(SystemErrorText(GetLastError()));
        if (accel_ && accelTarget_ && TranslateAcceleratorW(accelTarget_, accel_, &msg)) continue;
        if (std::any_of(dialogs_.begin(), dialogs_.end(),
                        [&msg](TDialog* dialog) { return dialog->TranslateDialogMessage(msg); }))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT TApplication::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            // The taskbar button activates this window: hand the focus on to
            // the open dialog, or else to the clock. Activating the clock
            // while a dialog is open would hide the dialog.
            if (LOWORD(wParam) != WA_INACTIVE && mainWindow_) {
                const uintptr_t target = WindowToActivate(OwnedWindowsOf(Handle()),
                                                          reinterpret_cast<uintptr_t>(mainWindow_));
                if (target) {
                    SetForegroundWindow(reinterpret_cast<HWND>(target));
                    return 0;
                }
            }
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE && mainWindow_) {
                PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        default:
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace zv::win
