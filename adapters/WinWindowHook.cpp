#include "adapters/WinWindowHook.h"

#include <utility>

#include "win32/ErrorBox.h"

namespace zv::win {
namespace {

LONG_PTR AsLong(WNDPROC proc) {
    return reinterpret_cast<LONG_PTR>(proc);
}

}  // namespace

TWinWindowHook::TWinWindowHook(HWND window, Handler handler)
    : window_(window), handler_(std::move(handler)) {
    TWinWindowHook* newest = Newest(window_);
    // The property first: the procedure may be called as soon as it is set.
    if (SetPropW(window_, kPropName, this) == FALSE) return;
    previous_ = SetWindowLongPtrW(window_, GWLP_WNDPROC, AsLong(Procedure()));
    if (previous_ == 0) {
        // Not hooked; what was there stays as it was.
        if (newest != nullptr) {
            SetPropW(window_, kPropName, newest);
        } else {
            RemovePropW(window_, kPropName);
        }
        return;
    }
    below_ = newest;
    hooked_ = true;
}

TWinWindowHook::~TWinWindowHook() {
    Unhook();
}

TWinWindowHook* TWinWindowHook::Newest(HWND window) {
    return static_cast<TWinWindowHook*>(GetPropW(window, kPropName));
}

void TWinWindowHook::Unhook() {
    if (!hooked_) return;
    hooked_ = false;
    if (!IsWindow(window_)) return;
    TWinWindowHook* newest = Newest(window_);
    if (newest != this) {
        // A newer hook sits above: it takes over what this one replaced.
        for (TWinWindowHook* h = newest; h != nullptr; h = h->below_) {
            if (h->below_ != this) continue;
            h->below_ = below_;
            if (h->previous_ == AsLong(Procedure())) {
                h->previous_ = previous_;
            } else if (below_ == nullptr) {
                // A foreign procedure between still calls ours: it must lead
                // on to what this hook replaced, not back to the hook above.
                LeaveWhereItLed();
            }
            break;
        }
        return;
    }
    // Put back what was replaced unless someone hooked the window after us:
    // their procedure calls ours, which then serves the hooks below.
    if (GetWindowLongPtrW(window_, GWLP_WNDPROC) == AsLong(Procedure())) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, previous_);
    } else if (below_ == nullptr) {
        // The last hook, and ours cannot be taken out: remember where it led.
        LeaveWhereItLed();
    }
    if (below_ != nullptr) {
        SetPropW(window_, kPropName, below_);
    } else {
        RemovePropW(window_, kPropName);
    }
}

// A hook that had replaced our own procedure leads where the property
// already says; naming ours there would send Left round to it for ever.
void TWinWindowHook::LeaveWhereItLed() const {
    if (previous_ == AsLong(Procedure())) return;
    SetPropW(window_, kLeftProcName, reinterpret_cast<HANDLE>(previous_));
}

std::intptr_t TWinWindowHook::PassOn(const WindowMessage& message) {
    if (previous_ == AsLong(Procedure())) {
        if (below_ != nullptr) return below_->Deliver(message.Msg, message.WParam, message.LParam);
        return Left(window_, message.Msg, message.WParam, message.LParam);
    }
    if (previous_ == 0) return DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
    // Only a foreign procedure installed over a hook of ours can call
    // Installed again with this message. With none below, a like message
    // arriving meanwhile comes from a loop nested in the handler (a message
    // box opened from a timer tick) and must reach the hooks as usual.
    if (below_ == nullptr && GetPropW(window_, kLeftProcName) == nullptr) {
        return CallWindowProcW(reinterpret_cast<WNDPROC>(previous_), window_, message.Msg,
                               message.WParam, message.LParam);
    }
    const WindowMessage* outer = std::exchange(forwarding_, &message);
    LRESULT result = CallWindowProcW(reinterpret_cast<WNDPROC>(previous_), window_, message.Msg,
                                     message.WParam, message.LParam);
    forwarding_ = outer;
    return result;
}

bool TWinWindowHook::Forwarding(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return forwarding_ != nullptr && forwarding_->Msg == msg && forwarding_->WParam == wParam &&
           forwarding_->LParam == lParam;
}

LRESULT TWinWindowHook::Deliver(UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    Guarded([&] { handler_(message); });
    return message.Result;
}

LRESULT TWinWindowHook::Left(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // No hook left while a foreign procedure installed after ours still calls
    // it: on to what the last hook had replaced.
    auto left = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kLeftProcName));
    if (left == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) RemovePropW(hwnd, kLeftProcName);
    return CallWindowProcW(left, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TWinWindowHook::Installed(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinWindowHook* hook = Newest(hwnd);
    // A foreign procedure between two hooks passing the message on: it is
    // for the hooks below the one that handed it over.
    while (hook != nullptr && hook->Forwarding(msg, wParam, lParam)) hook = hook->below_;
    if (hook == nullptr) return Left(hwnd, msg, wParam, lParam);
    return hook->Deliver(msg, wParam, lParam);
}

}  // namespace zv::win
