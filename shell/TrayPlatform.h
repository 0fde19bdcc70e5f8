#pragma once
// What the tray icon component needs of the window system and the shell,
// without Windows headers. Handles and window procedures travel as uintptr_t.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zv {

class TDCMinTray;

inline constexpr unsigned kNimAdd = 0;
inline constexpr unsigned kNimModify = 1;
inline constexpr unsigned kNimDelete = 2;

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
struct TMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

class ITrayPlatform {
  public:
    virtual ~ITrayPlatform() = default;
    // Shell_NotifyIcon. Whether the shell took it is of no interest.
    virtual void NotifyIcon(unsigned action, const TrayIconRecord& record) = 0;
    // Makes a window procedure that hands each message of the window it is
    // installed on to tray.FormWndProc.
    virtual std::uintptr_t BindWndProc(TDCMinTray& tray) = 0;
    // Installs proc as the window's procedure; returns the one it replaced.
    virtual std::uintptr_t ReplaceWndProc(std::uintptr_t window, std::uintptr_t proc) = 0;
    // Frees what BindWndProc made, once it is no longer installed.
    virtual void ReleaseWndProc(std::uintptr_t bound) = 0;
    // CallWindowProc: runs proc for the window with the message's number and
    // parameters; returns its result.
    virtual std::intptr_t CallWndProc(std::uintptr_t proc, std::uintptr_t window,
                                      const TMessage& message) = 0;
    virtual void ShowWindow(std::uintptr_t window, int command) = 0;
    virtual bool IsWindowVisible(std::uintptr_t window) = 0;
    // RegisterWindowMessage (the name is a macro in the Windows headers); 0
    // when the system gives no number.
    virtual unsigned RegisterMessage(std::string_view name) = 0;
};

}  // namespace zv
