#pragma once
// What the tray icon component needs of the window system and the shell,
// without Windows headers. Handles travel as uintptr_t.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace zv {

inline constexpr unsigned kNimAdd = 0;
inline constexpr unsigned kNimModify = 1;
inline constexpr unsigned kNimDelete = 2;
inline constexpr unsigned kNimSetFocus = 3;

inline constexpr unsigned kNifMessage = 1;
inline constexpr unsigned kNifIcon = 2;
inline constexpr unsigned kNifTip = 4;

inline constexpr int kSwHide = 0;
inline constexpr int kSwShow = 5;

inline constexpr std::size_t kTipSize = 64;

// The shell's icon record in its first, 88-byte 8-bit form: the fields end
// with the 64-byte tip, here in UTF-8 (the platform widens it for the shell).
// Handles are pointer-sized as in the shell's own record.
struct TrayIconRecord {
    std::uint32_t cbSize;
    std::uintptr_t hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uintptr_t hIcon;
    char szTip[kTipSize];
};
static_assert(sizeof(void*) != 4 || sizeof(TrayIconRecord) == 88);

// One window message as a window procedure sees it; Result is what it returns.
struct WindowMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// A window's procedure replaced by a handler. While hooked, every message of
// the window reaches the handler first; the handler decides whether to pass it
// on. Destroying the hook unhooks the window if that has not happened yet.
class IWindowHook {
  public:
    virtual ~IWindowHook() = default;
    // Runs the procedure the hook replaced for the message (CallWindowProc);
    // returns its result. Still works after Unhook, so that the message that
    // asked for the unhooking can be passed on.
    virtual std::intptr_t PassOn(const WindowMessage& message) = 0;
    // Puts the replaced procedure back; the handler is called no more.
    virtual void Unhook() = 0;
};

class ITrayPlatform {
  public:
    virtual ~ITrayPlatform() = default;
    // Shell_NotifyIcon; true when the shell took it.
    virtual bool NotifyIcon(unsigned action, const TrayIconRecord& record) = 0;
    // Asks the shell for the fourth form of the icon's messages (the keyboard's
    // among them); true when it took it.
    virtual bool UseVersion4(const TrayIconRecord& record) = 0;
    // Replaces the window's procedure (SetWindowLongPtr) with one that hands
    // each message to handler.
    virtual std::unique_ptr<IWindowHook> HookWindow(
        std::uintptr_t window, std::function<void(WindowMessage&)> handler) = 0;
    virtual void ShowWindow(std::uintptr_t window, int command) = 0;
    virtual bool IsWindowVisible(std::uintptr_t window) = 0;
    // RegisterWindowMessage (the name is a macro in the Windows headers); 0
    // when the system gives no number.
    virtual unsigned RegisterMessage(std::string_view name) = 0;
    // Lets the message reach the window from processes of lower integrity:
    // an elevated clock still hears the shell's broadcasts.
    virtual void AllowMessage(std::uintptr_t window, unsigned message) = 0;
    // SetTimer / KillTimer on the window: WM_TIMER with id every ms milliseconds.
    virtual void SetTimer(std::uintptr_t window, std::uintptr_t id, unsigned ms) = 0;
    virtual void KillTimer(std::uintptr_t window, std::uintptr_t id) = 0;
};

}  // namespace zv
