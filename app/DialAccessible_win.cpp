#include "app/DialAccessible_win.h"

#include <string_view>

#include "win32/Utf16.h"

namespace zv::win {

namespace {

const wchar_t* const kCaptionNames[] = {L"ВРЕМЯ (F11)", L"СВЕРНУТЬ", L"ЗАКРЫТЬ"};

void PutChild(long child, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = child;
}

}  // namespace

long TDialAccessible::ChildOf(const VARIANT& child) {
    if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > kChildren) return -1;
    return child.lVal;
}

HRESULT TDialAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    return facts_->Parent(parent);
}

HRESULT TDialAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = kChildren;
    return S_OK;
}

// The captions are simple elements of the dial, not objects of their own.
HRESULT TDialAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    return ChildOf(child) > 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT TDialAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    if (id > 0) return PutString(kCaptionNames[id - 1], name);
    return PutString(Widen(facts_->Name()), name);
}

HRESULT TDialAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    if (id > 0) return DISP_E_MEMBERNOTFOUND;
    return PutString(Widen(facts_->Value()), value);
}

HRESULT TDialAccessible::get_accDescription(VARIANT child, BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    return ChildOf(child) < 0 ? E_INVALIDARG : S_FALSE;
}

HRESULT TDialAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    EmptyVariant(role);
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    PutChild(id == CHILDID_SELF ? ROLE_SYSTEM_CLOCK : ROLE_SYSTEM_PUSHBUTTON, role);
    return S_OK;
}

HRESULT TDialAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    EmptyVariant(state);
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    HWND window = facts_->Window();
    long bits = 0;
    if (!IsWindowVisible(window)) bits |= STATE_SYSTEM_INVISIBLE;
    if (id == CHILDID_SELF) {
        bits |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == window) bits |= STATE_SYSTEM_FOCUSED;
    } else if (!facts_->CaptionsShown()) {
        bits |= STATE_SYSTEM_INVISIBLE;
    }
    PutChild(bits, state);
    return S_OK;
}

HRESULT TDialAccessible::get_accHelp(VARIANT child, BSTR* text) {
    return get_accDescription(child, text);
}

HRESULT TDialAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT TDialAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) {
    if (!keys) return E_POINTER;
    *keys = nullptr;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    return id == 1 ? PutString(L"F11", keys) : S_FALSE;
}

HRESULT TDialAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    EmptyVariant(child);
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    if (GetFocus() != facts_->Window()) return S_FALSE;
    PutChild(CHILDID_SELF, child);
    return S_OK;
}

HRESULT TDialAccessible::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    EmptyVariant(children);
    return S_FALSE;
}

HRESULT TDialAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!action) return E_POINTER;
    *action = nullptr;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    return id > 0 ? PutString(L"Нажать", action) : S_FALSE;
}

HRESULT TDialAccessible::accSelect(long, VARIANT child) {
    return ChildOf(child) < 0 ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT TDialAccessible::accLocation(long* left, long* top, long* width, long* height,
                                     VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    RECT r = id == CHILDID_SELF ? facts_->DialRect() : facts_->CaptionRect(id);
    MapWindowPoints(facts_->Window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

// From the dial to its first or last caption, and from caption to caption.
HRESULT TDialAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    EmptyVariant(end);
    const long id = ChildOf(start);
    if (id < 0) return E_INVALIDARG;
    long to = 0;
    if (id == CHILDID_SELF) {
        if (direction == NAVDIR_FIRSTCHILD) to = 1;
        if (direction == NAVDIR_LASTCHILD) to = kChildren;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
        to = id < kChildren ? id + 1 : 0;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
        to = id - 1;
    }
    if (to == 0) return S_FALSE;
    PutChild(to, end);
    return S_OK;
}

HRESULT TDialAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    EmptyVariant(child);
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    POINT p{x, y};
    ScreenToClient(facts_->Window(), &p);
    if (facts_->CaptionsShown()) {
        for (long id = 1; id <= kChildren; ++id) {
            const RECT r = facts_->CaptionRect(id);
            if (PtInRect(&r, p)) {
                PutChild(id, child);
                return S_OK;
            }
        }
    }
    const RECT dial = facts_->DialRect();
    if (!PtInRect(&dial, p)) return S_FALSE;
    PutChild(CHILDID_SELF, child);
    return S_OK;
}

HRESULT TDialAccessible::accDoDefaultAction(VARIANT child) {
    const long id = ChildOf(child);
    if (id < 0) return E_INVALIDARG;
    if (!facts_) return CO_E_OBJNOTCONNECTED;
    if (id == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
    // A caption not yet shown takes no click either.
    if (!facts_->CaptionsShown()) return E_FAIL;
    facts_->Click(id);
    return S_OK;
}

HRESULT TDialAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT TDialAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

}  // namespace zv::win
