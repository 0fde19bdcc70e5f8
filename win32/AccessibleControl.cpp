#include "win32/AccessibleControl.h"

#include <iterator>
#include <utility>

namespace zv::win {

TAccessibleControl::TAccessibleControl(IAccessible* system, Told told)
    : system_(system), told_(std::move(told)) {
    system_->AddRef();
}

TAccessibleControl::~TAccessibleControl() {
    system_->Release();
}

HRESULT TAccessibleControl::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    if (!Self(child) || told_.name.empty()) return system_->get_accName(child, name);
    return PutString(told_.name, name);
}

HRESULT TAccessibleControl::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    if (!Self(child) || !told_.valueLabel) return system_->get_accValue(child, value);
    // Read when asked: the label follows the control.
    wchar_t text[64] = {};
    const int n = GetWindowTextW(told_.valueLabel, text, static_cast<int>(std::size(text)));
    return PutString({text, static_cast<size_t>(n)}, value);
}

HRESULT TAccessibleControl::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    if (!Self(child) || told_.role == 0) return system_->get_accRole(child, role);
    EmptyVariant(role);
    role->vt = VT_I4;
    role->lVal = told_.role;
    return S_OK;
}

HRESULT TAccessibleControl::get_accState(VARIANT child, VARIANT* state) {
    const HRESULT hr = system_->get_accState(child, state);
    // A link says so in its state too.
    if (SUCCEEDED(hr) && Self(child) && told_.role == ROLE_SYSTEM_LINK && state->vt == VT_I4)
        state->lVal |= STATE_SYSTEM_LINKED;
    return hr;
}

// The rest is the system's.
HRESULT TAccessibleControl::get_accParent(IDispatch** parent) {
    return system_->get_accParent(parent);
}

HRESULT TAccessibleControl::get_accChildCount(long* count) {
    return system_->get_accChildCount(count);
}

HRESULT TAccessibleControl::get_accChild(VARIANT child, IDispatch** object) {
    return system_->get_accChild(child, object);
}

HRESULT TAccessibleControl::get_accDescription(VARIANT child, BSTR* text) {
    return system_->get_accDescription(child, text);
}

HRESULT TAccessibleControl::get_accHelp(VARIANT child, BSTR* text) {
    return system_->get_accHelp(child, text);
}

HRESULT TAccessibleControl::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return system_->get_accHelpTopic(file, child, topic);
}

HRESULT TAccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR* keys) {
    return system_->get_accKeyboardShortcut(child, keys);
}

HRESULT TAccessibleControl::get_accFocus(VARIANT* child) {
    return system_->get_accFocus(child);
}

HRESULT TAccessibleControl::get_accSelection(VARIANT* children) {
    return system_->get_accSelection(children);
}

HRESULT TAccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action) {
    return system_->get_accDefaultAction(child, action);
}

HRESULT TAccessibleControl::accSelect(long flags, VARIANT child) {
    return system_->accSelect(flags, child);
}

HRESULT TAccessibleControl::accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) {
    return system_->accLocation(left, top, width, height, child);
}

HRESULT TAccessibleControl::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return system_->accNavigate(direction, start, end);
}

HRESULT TAccessibleControl::accHitTest(long x, long y, VARIANT* child) {
    return system_->accHitTest(x, y, child);
}

HRESULT TAccessibleControl::accDoDefaultAction(VARIANT child) {
    return system_->accDoDefaultAction(child);
}

HRESULT TAccessibleControl::put_accName(VARIANT child, BSTR name) {
    return system_->put_accName(child, name);
}

HRESULT TAccessibleControl::put_accValue(VARIANT child, BSTR value) {
    return system_->put_accValue(child, value);
}

}  // namespace zv::win
