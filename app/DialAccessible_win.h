#pragma once
// The dial as a screen reader finds it: an accessible clock whose name is the
// time in words and whose value is the read-out, with the three captions as
// its push buttons.
#include <string>

#include "win32/AccessibleBase.h"

namespace zv::win {

// What the accessible dial asks the clock. Its clients may keep the object
// after the clock has gone, so the clock cuts it off (Disconnect) first.
class IDialFacts {
  public:
    virtual ~IDialFacts() = default;
    virtual HWND Window() const = 0;
    virtual std::string Name() const = 0;  // «двадцать один час пять минут»
    virtual std::string Value() const = 0;  // "21:05"
    // In client coordinates: the dial, and caption 1..3 (ВРЕМЯ, СВЕРНУТЬ, ЗАКРЫТЬ).
    virtual RECT DialRect() const = 0;
    virtual RECT CaptionRect(long child) const = 0;
    virtual bool CaptionsShown() const = 0;
    // A click on caption 1..3.
    virtual void Click(long child) = 0;
    // The window's own accessible object, the dial's parent.
    virtual HRESULT Parent(IDispatch** parent) const = 0;
};

class TDialAccessible final : public TAccessibleBase {
  public:
    static constexpr long kChildren = 3;

    // Made with one reference, the caller's.
    explicit TDialAccessible(IDialFacts& facts) : facts_(&facts) {}

    // Every later call fails as for an object whose server has gone.
    void Disconnect() { facts_ = nullptr; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  private:
    ~TDialAccessible() override = default;  // through Release only
    // 0 for the dial itself, 1..3 for a caption, -1 for anything else.
    static long ChildOf(const VARIANT& child);

    IDialFacts* facts_;
};

}  // namespace zv::win
