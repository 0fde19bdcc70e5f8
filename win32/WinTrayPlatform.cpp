#include "win32/WinTrayPlatform.h"

#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "shell/DCMinTray.h"
#include "win32/ErrorBox.h"
#include "win32/Utf16.h"

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

// The bound procedure installed on one window: the property that leads it to
// this platform is set first and removed last, and if the window still runs
// our procedure when this goes, the previous one is put back.
class WinTrayPlatform::Installation {
  public:
    Installation(HWND window, WinTrayPlatform* platform) : window_(window) {
        SetPropW(window_, kPropName, platform);
        previous_ = SetWindowLongPtrW(window_, GWLP_WNDPROC,
                                      reinterpret_cast<LONG_PTR>(&WinTrayPlatform::BoundWndProc));
    }
    ~Installation() {
        if (!IsWindow(window_)) return;
        auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
        if (current == &WinTrayPlatform::BoundWndProc) {
            SetWindowLongPtrW(window_, GWLP_WNDPROC, previous_);
        }
        RemovePropW(window_, kPropName);
    }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    LONG_PTR Previous() const { return previous_; }

  private:
    HWND window_;
    LONG_PTR previous_ = 0;
};

WinTrayPlatform::WinTrayPlatform() = default;
WinTrayPlatform::~WinTrayPlatform() = default;

bool WinTrayPlatform::Notify(unsigned action, const TrayIconRecord& record) {
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

void WinTrayPlatform::NotifyIcon(unsigned action, const TrayIconRecord& record) {
    // The tray is a convenience: a shell that refuses the icon must not stop the clock.
    Notify(action, record);
}

std::uintptr_t WinTrayPlatform::BindWndProc(TDCMinTray& tray) {
    tray_ = &tray;
    return reinterpret_cast<std::uintptr_t>(&WinTrayPlatform::BoundWndProc);
}

std::uintptr_t WinTrayPlatform::ReplaceWndProc(std::uintptr_t window, std::uintptr_t proc) {
    if (proc == reinterpret_cast<std::uintptr_t>(&WinTrayPlatform::BoundWndProc)) {
        installation_.reset();
        installation_ = std::make_unique<Installation>(ToHwnd(window), this);
        return static_cast<std::uintptr_t>(installation_->Previous());
    }
    return static_cast<std::uintptr_t>(
        SetWindowLongPtrW(ToHwnd(window), GWLP_WNDPROC, static_cast<LONG_PTR>(proc)));
}

void WinTrayPlatform::ReleaseWndProc(std::uintptr_t /*bound*/) {
    installation_.reset();
    tray_ = nullptr;
}

std::intptr_t WinTrayPlatform::CallWndProc(std::uintptr_t proc, std::uintptr_t window,
                                           const TMessage& message) {
    return CallWindowProcW(reinterpret_cast<WNDPROC>(proc), ToHwnd(window), message.Msg,
                           message.WParam, message.LParam);
}

void WinTrayPlatform::ShowWindow(std::uintptr_t window, int command) {
    ::ShowWindow(ToHwnd(window), command);
}

bool WinTrayPlatform::IsWindowVisible(std::uintptr_t window) {
    return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

unsigned WinTrayPlatform::RegisterMessage(std::string_view name) {
    return RegisterWindowMessageW(Widen(name).c_str());
}

LRESULT CALLBACK WinTrayPlatform::BoundWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<WinTrayPlatform*>(GetPropW(hwnd, kPropName));
    if (self == nullptr || self->tray_ == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    Guarded([&] { self->tray_->FormWndProc(message); });
    return message.Result;
}

}  // namespace zv::win
