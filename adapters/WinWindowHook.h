#pragma once
// A window's procedure replaced by a handler (SetWindowLongPtrW), for as long
// as the hook lives or until Unhook. All of it is here: attaching, passing on,
// restoring, and what leads the window's messages to this object.
//
// The installed procedure is one static function; a window property names the
// newest hook of the window. Hooks on the same window chain: the newest sees a
// message first, and passing it on reaches the one below.
#include <windows.h>

#include <functional>

#include "shell/TrayPlatform.h"

namespace zv::win {

class TWinWindowHook : public IWindowHook {
  public:
    using Handler = std::function<void(WindowMessage&)>;

    // Hooks window; a window that cannot be hooked (gone, or another
    // process's) is left alone and the handler is never called.
    TWinWindowHook(HWND window, Handler handler);
    ~TWinWindowHook() override;
    TWinWindowHook(const TWinWindowHook&) = delete;
    TWinWindowHook& operator=(const TWinWindowHook&) = delete;

    std::intptr_t PassOn(const WindowMessage& message) override;
    void Unhook() override;
    bool Hooked() const { return hooked_; }

    // The window property that leads the installed procedure to the newest hook.
    static constexpr const wchar_t* kPropName = L"Zvenoks.WndProcHook";
    // Where the installed procedure sends messages once every hook is gone
    // while a foreign procedure installed after ours still calls it.
    static constexpr const wchar_t* kLeftProcName = L"Zvenoks.WndProcHook.Left";
    static WNDPROC Procedure() { return &Installed; }

  private:
    static LRESULT CALLBACK Installed(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static TWinWindowHook* Newest(HWND window);
    static LRESULT Left(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Deliver(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Forwarding(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void LeaveWhereItLed() const;

    HWND window_;
    Handler handler_;
    // The procedure this hook replaced; when it is Installed, the hook below
    // is the one that gets passed-on messages.
    LONG_PTR previous_ = 0;
    TWinWindowHook* below_ = nullptr;
    bool hooked_ = false;
    // The message being passed to a foreign procedure, which may be chained
    // on to Installed again: that call belongs to the hooks below.
    const WindowMessage* forwarding_ = nullptr;
};

}  // namespace zv::win
