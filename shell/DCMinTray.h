#pragma once
// A non-visual component that gives its owner form an icon in the taskbar
// notification area and turns the form's minimize command into hiding the
// form to the tray. It hooks the form window's window procedure.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "core/Component.h"
#include "core/Forms.h"
#include "shell/TrayPlatform.h"

namespace zv {

inline constexpr std::uint32_t kWmDestroy = 2;
inline constexpr std::uint32_t kWmSysCommand = 274;
inline constexpr std::uint32_t kWmLButtonDown = 513;
inline constexpr std::uint32_t kWmRButtonUp = 517;
inline constexpr std::uint32_t kWmContextMenu = 123;
inline constexpr std::uint32_t kWmLButtonDblClk = 515;
// What the shell sends, in the fourth form, when the icon is chosen by a
// click (after its release) or by Enter or Space.
inline constexpr std::uint32_t kNinSelect = 0x400;
inline constexpr std::uint32_t kNinKeySelect = 0x401;
inline constexpr std::uint32_t kWmTimer = 0x0113;
inline constexpr std::uint32_t kTrayCallbackMessage = 1025;  // WM_USER + 1
inline constexpr std::uintptr_t kScMinimize = 61472;
inline constexpr std::uintptr_t kScDefault = 61792;
inline constexpr std::uint32_t kTrayIconId = 1;
// An icon the shell refuses (at logon it may not run yet) is tried again on a
// timer of the owner's window, under an id the form's own timers leave free.
inline constexpr std::uintptr_t kTrayRetryTimer = 0x7452;
inline constexpr unsigned kTrayRetryMs = 2000;
inline constexpr int kTrayRetries = 60;  // two minutes
// The record's own size: 88 bytes in the 32-bit program, more where handles
// are 64-bit (the Windows tests' native build).
inline constexpr std::uint32_t kTrayRecordSize = sizeof(TrayIconRecord);
inline constexpr std::size_t kTipMaxBytes = kTipSize - 1;

// The longest prefix of text that fits the tip (63 bytes) without cutting a
// UTF-8 character in two.
std::string_view TipText(std::string_view text);

class TDCMinTray : public TComponent {
  public:
    TDCMinTray(TComponent* owner, ITrayPlatform& platform, IApplication& application);
    ~TDCMinTray() override;
    TDCMinTray(const TDCMinTray&) = delete;
    TDCMinTray& operator=(const TDCMinTray&) = delete;

    // Attaches to the owner form (only to the main form, or to a form made
    // while there is none yet). Does not add the icon.
    void AfterLoading() override;

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint);

    void ShowIcon();
    // Gives the shown icon the owner's icon again (a new DPI's size).
    void UpdateIcon();
    void RemoveIcon();
    void RestoreWndProc();
    // Brings a hidden owner back as a click on the icon does.
    void ShowOwner();
    void FormWndProc(WindowMessage& message);
    // Called on a right click on the icon; the owner decides what follows.
    void SetOnRightClick(std::function<void()> handler) { onRightClick_ = std::move(handler); }
    // Called for the menu asked for from the keyboard, with the icon's place
    // on the screen; true when a command was chosen.
    void SetOnKeyMenu(std::function<bool(int x, int y)> handler) {
        onKeyMenu_ = std::move(handler);
    }

    bool Hooked() const { return hooked_; }
    bool IconShown() const { return iconShown_; }
    const TrayIconRecord& IconRecord() const { return iconRecord_; }

  private:
    void BuildRecord();
    // Puts the record in the tray, asking first with `first`; while the shell
    // takes it in neither way, tries again on the retry timer.
    void PutIcon(unsigned first);
    void RetryIcon();
    void StopRetry();
    void PassOn(WindowMessage& message);
    void Toggle();
    // The callback in the fourth form: the event in the low word of the long
    // parameter, the icon's place in the word parameter.
    void Version4Callback(const WindowMessage& message);
    void SetOwnerVisible(bool visible);

    ITrayPlatform& platform_;
    IApplication& application_;

    IForm* ownerForm_ = nullptr;
    std::string hint_;
    // The hook lives as long as the component: unhooked on WM_DESTROY, it
    // still passes that message on; if the component goes first, it unhooks.
    std::unique_ptr<IWindowHook> hook_;
    bool hooked_ = false;
    TrayIconRecord iconRecord_{};
    bool iconShown_ = false;
    // The shell broadcasts it when it (re)starts; 0 until attached.
    std::uint32_t taskbarCreated_ = 0;
    int retriesLeft_ = 0;  // while the retry timer runs
    std::function<void()> onRightClick_;
    std::function<bool(int, int)> onKeyMenu_;
    bool version4_ = false;      // the shell sends the fourth form
    bool mouseSelect_ = false;   // a left press came since the last select
    bool rightRelease_ = false;  // the next WM_CONTEXTMENU is the mouse's
};

}  // namespace zv
