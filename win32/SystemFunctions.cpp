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
        case TSystemDll::Comctl32: {
            // By name, so the manifest's dependency still picks Common
            // Controls 6 from the side-by-side store.
            static const TSystemLibrary comctl32(L"comctl32.dll");
            return &comctl32;
        }
        default:
            return nullptr;
    }
}

}  // namespace

void* FindSystemExport(TSystemDll dll, const char* name) {
    HMODULE module = nullptr;
    switch (dll) {
        case TSystemDll::Kernel32:
            module = GetModuleHandleW(L"kernel32.dll");
            break;
        case TSystemDll::User32:
            module = GetModuleHandleW(L"user32.dll");
            break;
        case TSystemDll::Comctl32:
            // The version the dialogs' first controls loaded, which the
            // manifest chose.
            module = GetModuleHandleW(L"comctl32.dll");
            if (module) break;
            [[fallthrough]];
        default:
            module = Loaded(dll)->Module();
            break;
    }
    return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

DWORD SystemDllError(TSystemDll dll) {
    const TSystemLibrary* library = Loaded(dll);
    return library ? library->LoadError() : 0;
}

}  // namespace zv::win
