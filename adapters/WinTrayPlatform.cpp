#include "adapters/WinTrayPlatform.h"

#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

#include "adapters/WinWindowHook.h"
#include "win32/Utf16.h"
#include "win32/Window.h"

namespace zv::win {
namespace {

// The shell's first record form, which every Windows takes: 152 bytes in the
// 32-bit program (the 64-bit build exists only to run the Windows tests
// natively). Its tip holds 63 UTF-16 units; the logic's tip is at most 63
// bytes of UTF-8, which never come to more units than that.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAW_V1_SIZE == 152);
static_assert(offsetof(NOTIFYICONDATAW, szTip) + kTipSize * sizeof(wchar_t) ==
              NOTIFYICONDATAW_V1_SIZE);

HWND ToHwnd(std::uintptr_t window) {
    return reinterpret_cast<HWND>(window);
}

}  // namespace

TWinTrayPlatform::TWinTrayPlatform() = default;
TWinTrayPlatform::~TWinTrayPlatform() = default;

bool TWinTrayPlatform::Notify(unsigned action, const TrayIconRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = ToHwnd(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    const std::wstring tip =
        Widen(std::string_view(record.szTip, strnlen(record.szTip, sizeof record.szTip)));
    tip.copy(data.szTip, std::min(tip.size(), kTipSize - 1));
    return Shell_NotifyIconW(action, &data) != FALSE;
}

bool TWinTrayPlatform::NotifyIcon(unsigned action, const TrayIconRecord& record) {
    return Notify(action, record);
}

// In the record's whole present form, which the version needs; the icon's
// other calls keep the first form.
bool TWinTrayPlatform::UseVersion4(const TrayIconRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = ToHwnd(record.hWnd);
    data.uID = record.uID;
    data.uVersion = NOTIFYICON_VERSION_4;
    return Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

std::unique_ptr<IWindowHook> TWinTrayPlatform::HookWindow(
    std::uintptr_t window, std::function<void(WindowMessage&)> handler) {
    return std::make_unique<TWinWindowHook>(ToHwnd(window), std::move(handler));
}

void TWinTrayPlatform::ShowWindow(std::uintptr_t window, int command) {
    ::ShowWindow(ToHwnd(window), command);
}

bool TWinTrayPlatform::IsWindowVisible(std::uintptr_t window) {
    return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

unsigned TWinTrayPlatform::RegisterMessage(std::string_view name) {
    return RegisterWindowMessageW(Widen(name).c_str());
}

void TWinTrayPlatform::AllowMessage(std::uintptr_t window, unsigned message) {
    AllowFromLowerIntegrity(ToHwnd(window), message);
}

void TWinTrayPlatform::SetTimer(std::uintptr_t window, std::uintptr_t id, unsigned ms) {
    // Without the timer the icon is not tried again; the clock goes on without it.
    (void)::SetTimer(ToHwnd(window), id, ms, nullptr);
}

void TWinTrayPlatform::KillTimer(std::uintptr_t window, std::uintptr_t id) {
    // Fails only for a timer that is gone already, with its window.
    (void)::KillTimer(ToHwnd(window), id);
}

}  // namespace zv::win
