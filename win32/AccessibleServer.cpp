#include "win32/AccessibleServer.h"

#include <utility>

#include "win32/SystemFunctions.h"

namespace zv::win {

TAccessibleServer::~TAccessibleServer() {
    if (comStarted_) CoUninitialize();
}

bool TAccessibleServer::Answer(HWND control, TAccessibleControl::Told told, WPARAM wParam,
                               LRESULT& result) {
    const auto createStd = SystemFunction<kCreateStdAccessibleObject>();
    const auto fromObject = SystemFunction<kLresultFromObject>();
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
