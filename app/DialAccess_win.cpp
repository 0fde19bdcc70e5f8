#include "app/DialAccess_win.h"

#include <string>
#include <utility>

#include "app/FaceFrame_win.h"
#include "speech/Words.h"
#include "win32/LocalTime.h"
#include "win32/SystemFunctions.h"

namespace zv::win {

TDialAccess::TDialAccess(std::function<SpeechStyle()> style, TCaptionClicks& captions)
    : style_(std::move(style)), captions_(captions) {}

TDialAccess::~TDialAccess() {
    if (object_) {
        // A client may hold it still: from now on it answers that it is cut off.
        object_->Disconnect();
        object_->Release();
    }
    if (comStarted_) CoUninitialize();
}

bool TDialAccess::Ensure(HWND window) {
    if (object_) return true;
    if (!SystemFunction<kLresultFromObject>()) return false;
    // The object crosses to other processes through COM, on this thread.
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr) && hr != RPC_E_CHANGED_MODE) return false;
    comStarted_ = SUCCEEDED(hr);
    window_ = window;
    object_ = new TDialAccessible(*this);
    return true;
}

bool TDialAccess::Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_GETOBJECT) return false;
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return false;
    // Without oleacc (it is on every system from Windows 7 on) the system's
    // own object for the window answers, as before.
    if (!Ensure(window)) return false;
    const auto answer = SystemFunction<kLresultFromObject>();
    if (!answer) return false;
    result = answer(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

void TDialAccess::Tick(const TimeFields& now) {
    const int minute = now.hour * 60 + now.minute;
    if (!object_) return;
    if (minuteOfDay_ >= 0 && minute != minuteOfDay_)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
    minuteOfDay_ = minute;
}

// The time as the question finds it, not the last tick's.
std::string TDialAccess::Name() const {
    const TimeFields now = LocalTime();
    return WrittenSentence(style_(), now.hour, now.minute);
}

// As the read-out shows it: the hour without a leading zero.
std::string TDialAccess::Value() const {
    const TimeFields now = LocalTime();
    std::string text = std::to_string(now.hour) + ":";
    text += static_cast<char>('0' + now.minute / 10);
    text += static_cast<char>('0' + now.minute % 10);
    return text;
}

RECT TDialAccess::DialRect() const {
    return ToRect(layout_.image1);
}

RECT TDialAccess::CaptionRect(long child) const {
    // Label4..Label6; LabelBounds counts Label1 as 0.
    return ToRect(LabelBounds(layout_, static_cast<int>(child) + 2));
}

void TDialAccess::Click(long child) {
    static constexpr TCaption kCaptions[] = {TCaption::Time, TCaption::Hide, TCaption::Close};
    captions_.Click(kCaptions[child - 1]);
}

HRESULT TDialAccess::Parent(IDispatch** parent) const {
    const auto fromWindow = SystemFunction<kAccessibleObjectFromWindow>();
    if (!fromWindow) return E_FAIL;
    return fromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                      reinterpret_cast<void**>(parent));
}

}  // namespace zv::win
