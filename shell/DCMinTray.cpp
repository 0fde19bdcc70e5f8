#include "shell/DCMinTray.h"

#include <cstring>
#include <utility>

namespace zv {
namespace {

void SetTip(TrayIconRecord& record, std::string_view text) {
    std::memset(record.szTip, 0, sizeof record.szTip);
    std::string_view tip = TipText(text);
    std::memcpy(record.szTip, tip.data(), tip.size());
}

}  // namespace

std::string_view TipText(std::string_view text) {
    if (text.size() <= kTipMaxBytes) return text;
    std::size_t n = kTipMaxBytes;
    // Back off while the first byte left out continues the character before it.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return text.substr(0, n);
}

TDCMinTray::TDCMinTray(TComponent* owner, ITrayPlatform& platform, IApplication& application)
    : TComponent(owner), platform_(platform), application_(application) {}

TDCMinTray::~TDCMinTray() {
    // Normally WM_DESTROY has removed and unhooked everything already. If the
    // window outlives the component (a start-up that failed after attaching),
    // the icon goes first, while the window it names is still there, and then
    // the window must stop calling into the component.
    RemoveIcon();
    hook_.reset();
}

void TDCMinTray::AfterLoading() {
    TComponent::AfterLoading();
    if (Has(csDesigning)) return;
    auto* form = dynamic_cast<IForm*>(Owner());
    if (form == nullptr) return;
    // Only the main form, or a form made while there is none yet, is hooked.
    IForm* mainForm = application_.MainForm();
    if (mainForm != nullptr && mainForm != form) return;
    ownerForm_ = form;
    taskbarCreated_ = platform_.RegisterMessage("TaskbarCreated");
    hook_ = platform_.HookWindow(ownerForm_->WindowHandle(),
                                 [this](WindowMessage& message) { FormWndProc(message); });
    hooked_ = true;
    // Explorer runs at medium integrity; a clock started as administrator
    // would otherwise never hear that the shell came back.
    if (taskbarCreated_ != 0) platform_.AllowMessage(ownerForm_->WindowHandle(), taskbarCreated_);
}

void TDCMinTray::SetHint(std::string_view hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (!iconShown_) return;
    // Only the tip changes; the stored record keeps what ShowIcon put there.
    TrayIconRecord tipOnly = iconRecord_;
    tipOnly.uFlags = kNifTip;
    SetTip(tipOnly, hint_);
    platform_.NotifyIcon(kNimModify, tipOnly);
}

void TDCMinTray::ShowIcon() {
    if (ownerForm_ == nullptr) return;  // detached: there is no window to own the icon
    PutIcon(kNimAdd);
    // Set whatever the shell said: the flag means "added and not deleted since".
    iconShown_ = true;
}

void TDCMinTray::BuildRecord() {
    iconRecord_ = TrayIconRecord{};
    iconRecord_.cbSize = kTrayRecordSize;
    iconRecord_.hWnd = ownerForm_->WindowHandle();
    iconRecord_.uID = kTrayIconId;
    iconRecord_.uFlags = kNifMessage | kNifIcon | kNifTip;
    iconRecord_.uCallbackMessage = kTrayCallbackMessage;
    std::uintptr_t icon = ownerForm_->IconHandle();
    iconRecord_.hIcon = icon != 0 ? icon : application_.IconHandle();
    if (hint_.empty()) {
        SetTip(iconRecord_, ownerForm_->Caption());
    } else {
        SetTip(iconRecord_, hint_);
    }
}

void TDCMinTray::PutIcon(unsigned first) {
    BuildRecord();
    // An add fails for an icon the shell holds, a change for one it has lost;
    // both fail while no shell runs, and then the icon is tried again.
    const unsigned second = first == kNimAdd ? kNimModify : kNimAdd;
    if (platform_.NotifyIcon(first, iconRecord_) || platform_.NotifyIcon(second, iconRecord_)) {
        StopRetry();
        // Refused, the first form's messages stay, and with them the mouse only.
        version4_ = platform_.UseVersion4(iconRecord_);
    } else if (retriesLeft_ == 0) {
        platform_.SetTimer(iconRecord_.hWnd, kTrayRetryTimer, kTrayRetryMs);
        retriesLeft_ = kTrayRetries;
    }
}

void TDCMinTray::RetryIcon() {
    if (retriesLeft_ == 0) return;  // a tick queued before the timer went
    PutIcon(kNimAdd);
    // No shell in two minutes: it is not coming by itself, and when it comes
    // its TaskbarCreated brings the icon.
    if (retriesLeft_ > 0 && --retriesLeft_ == 0) {
        platform_.KillTimer(iconRecord_.hWnd, kTrayRetryTimer);
    }
}

void TDCMinTray::StopRetry() {
    if (retriesLeft_ == 0) return;
    retriesLeft_ = 0;
    platform_.KillTimer(iconRecord_.hWnd, kTrayRetryTimer);
}

void TDCMinTray::UpdateIcon() {
    if (!iconShown_) return;
    std::uintptr_t icon = ownerForm_->IconHandle();
    iconRecord_.hIcon = icon != 0 ? icon : application_.IconHandle();
    TrayIconRecord iconOnly = iconRecord_;
    iconOnly.uFlags = kNifIcon;
    platform_.NotifyIcon(kNimModify, iconOnly);
}

void TDCMinTray::RemoveIcon() {
    if (!iconShown_) return;
    StopRetry();
    platform_.NotifyIcon(kNimDelete, iconRecord_);
    iconShown_ = false;
    version4_ = false;
}

void TDCMinTray::RestoreWndProc() {
    if (!Hooked()) return;
    hook_->Unhook();
    hooked_ = false;
}

void TDCMinTray::PassOn(WindowMessage& message) {
    message.Result = hook_->PassOn(message);
}

void TDCMinTray::FormWndProc(WindowMessage& message) {
    if (ownerForm_ == nullptr || hook_ == nullptr) return;
    switch (message.Msg) {
        case kWmDestroy:
            RemoveIcon();
            RestoreWndProc();
            break;
        case kWmSysCommand:
            // Compared whole: SC_MINIMIZE with its low bits set is not a minimize here.
            if (message.WParam == kScMinimize || message.WParam == kScDefault) {
                platform_.ShowWindow(ownerForm_->WindowHandle(), kSwHide);
                platform_.ShowWindow(application_.WindowHandle(), kSwHide);
                ShowIcon();
                message.Result = 0;
                return;
            }
            break;
        case kWmTimer:
            // The component's own timer is none of the form's business.
            if (message.WParam == kTrayRetryTimer) {
                RetryIcon();
                message.Result = 0;
                return;
            }
            break;
        case kTrayCallbackMessage:
            if (version4_) {
                Version4Callback(message);
                break;
            }
            if (message.LParam == kWmLButtonDown) Toggle();
            // The shell sends the release for icons of the first record form and
            // WM_CONTEXTMENU for later ones (also from the keyboard).
            if ((message.LParam == kWmRButtonUp || message.LParam == kWmContextMenu) &&
                onRightClick_) {
                onRightClick_();
            }
            break;
        default:
            // A restarted shell has forgotten the icon; the message also comes
            // while the shell still holds it.
            if (taskbarCreated_ != 0 && message.Msg == taskbarCreated_ && iconShown_) {
                PutIcon(kNimModify);
            }
            break;
    }
    PassOn(message);
}

void TDCMinTray::Version4Callback(const WindowMessage& message) {
    switch (static_cast<std::uint32_t>(message.LParam) & 0xFFFF) {
        case kWmLButtonDown:
            mouseSelect_ = true;
            Toggle();
            break;
        case kWmLButtonDblClk:
            // Toggled once, by its first press, as in the first form.
            mouseSelect_ = true;
            break;
        case kNinSelect:
            // After a click the press has toggled already; without one it is
            // the keyboard's.
            if (!std::exchange(mouseSelect_, false)) Toggle();
            break;
        case kNinKeySelect:
            Toggle();
            break;
        case kWmRButtonUp:
            rightRelease_ = true;
            break;
        case kWmContextMenu:
            // The shell follows a right release with it; alone it is the
            // keyboard's, and the menu opens at the icon.
            if (std::exchange(rightRelease_, false)) {
                if (onRightClick_) onRightClick_();
            } else if (onKeyMenu_) {
                const auto x = static_cast<std::int16_t>(message.WParam & 0xFFFF);
                const auto y = static_cast<std::int16_t>((message.WParam >> 16) & 0xFFFF);
                // Closed without a command: back to the notification area,
                // where the keyboard user was.
                if (!onKeyMenu_(x, y)) platform_.NotifyIcon(kNimSetFocus, iconRecord_);
            }
            break;
        default:
            break;
    }
}

void TDCMinTray::Toggle() {
    // The window itself, not the framework's flag, says whether the clock is
    // seen: a minimize command hides it without the framework knowing.
    std::uintptr_t window = ownerForm_->WindowHandle();
    if (platform_.IsWindowVisible(window)) {
        platform_.ShowWindow(window, kSwShow);
        SetOwnerVisible(false);
        platform_.ShowWindow(application_.WindowHandle(), kSwHide);
    } else {
        ShowOwner();
    }
}

void TDCMinTray::ShowOwner() {
    platform_.ShowWindow(ownerForm_->WindowHandle(), kSwHide);
    SetOwnerVisible(true);
    platform_.ShowWindow(application_.WindowHandle(), kSwHide);
}

void TDCMinTray::SetOwnerVisible(bool visible) {
    // The framework may skip assigning the value it already holds, and after a
    // minimize that value is stale; reset it first so the assignment acts.
    if (ownerForm_->Visible() == visible) ownerForm_->SetVisible(!visible);
    ownerForm_->SetVisible(visible);
}

}  // namespace zv
