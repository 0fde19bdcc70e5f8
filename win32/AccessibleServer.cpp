#include "win32/AccessibleServer.h"

#include <utility>

namespace zv::win {

TAccessibleServer::~TAccessibleServer() {
    if (comStarted_) CoUninitialize();
}

bool TAccessibleServer::Answer(HWND control, TAccessibleControl::Told told, WPARAM wParam,
                               LRESULT& result) {
    using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    if (!oleacc_.Loaded() && !oleacc_.Load(L"oleacc.dll")) return false;
    const auto createStd = oleacc_.Find<CreateStd>("CreateStdAccessibleObject");
    const auto fromObject = oleacc_.Find<FromObject>("LresultFromObject");
    if (!createStd || !fromObject) return false;
    if (!comStarted_) {
        // The object crosses to the screen reader through COM, on this thread.
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(hr) && hr != RPC_E_CHANGED_MODE) return false;
        comStarted_ = SUCCEEDED(hr);
    }
    IAccessible* system = nullptr;
    if (FAILED(createStd(control, OBJID_CLIENT, __uuidof(IAccessible),
                         reinterpret_cast<void**>(&system))))
        return false;
    auto* object = new TAccessibleControl(system, std::move(told));
    system->Release();
    result = fromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return true;
}

}  // namespace zv::win
