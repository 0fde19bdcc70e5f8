#pragma once
// What every accessible object of ours shares: IUnknown, counted references
// (made with one, the caller's), and an IDispatch without type information,
// since clients call IAccessible directly.
#include <oleacc.h>  // after windows.h, which it needs
#include <windows.h>

#include <string_view>

namespace zv::win {

// A string for a client, from oleaut32 (loaded only once a client asks),
// which the client frees; E_OUTOFMEMORY when none can be had.
HRESULT PutString(std::wstring_view text, BSTR* out);
// What VariantInit does, without oleaut32 for it.
inline void EmptyVariant(VARIANT* v) {
    v->vt = VT_EMPTY;
}

class TAccessibleBase : public IAccessible {
  public:
    TAccessibleBase(const TAccessibleBase&) = delete;
    TAccessibleBase& operator=(const TAccessibleBase&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

  protected:
    TAccessibleBase() = default;
    virtual ~TAccessibleBase() = default;  // through Release only

  private:
    ULONG references_ = 1;
};

}  // namespace zv::win
