#include "win32/SystemFunctions.h"

#include "win32/SystemLibrary.h"

namespace zv::win {
namespace {

// Loaded once and held for the process: what was found in it stays valid.
const TSystemLibrary* Loaded(TSystemDll dll) {
    switch (dll) {
        case TSystemDll::Shell32: {
            static const TSystemLibrary shell32(L"shell32.dll");
            return &shell32;
        }
        case TSystemDll::Oleacc: {
            static const TSystemLibrary oleacc(L"oleacc.dll");
            return &oleacc;
        }
        case TSystemDll::Oleaut32: {
            static const TSystemLibrary oleaut32(L"oleaut32.dll");
            return &oleaut32;
        }
        case TSystemDll::Winmm: {
            static const TSystemLibrary winmm(L"winmm.dll");
            return &winmm;
        }
        case TSystemDll::Comdlg32: {
            static const TSystemLibrary comdlg32(L"comdlg32.dll");
            return &comdlg32;
        }
        default:
            return nullptr;
    }
}

}  // namespace

void* FindSystemExport(TSystemDll dll, const char* name) {
    HMODULE module = nullptr;
    if (dll == TSystemDll::Kernel32) {
        module = GetModuleHandleW(L"kernel32.dll");
    } else if (dll == TSystemDll::User32) {
        module = GetModuleHandleW(L"user32.dll");
    } else {
        module = Loaded(dll)->Module();
    }
    return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

DWORD SystemDllError(TSystemDll dll) {
    const TSystemLibrary* library = Loaded(dll);
    return library ? library->LoadError() : 0;
}

}  // namespace zv::win
