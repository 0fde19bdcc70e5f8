#include "win32/Subclass.h"

#include "core/Errors.h"
#include "win32/SystemError.h"
#include "win32/SystemFunctions.h"

namespace zv::win {

void SubclassControl(HWND control, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    const auto subclass = SystemFunction<kSetWindowSubclass>();
    if (!subclass || !SystemFunction<kDefSubclassProc>() ||
        !SystemFunction<kRemoveWindowSubclass>()) {
        const DWORD error = SystemDllError(TSystemDll::Comctl32);
        throw Exception(SystemErrorText(error ? error : ERROR_PROC_NOT_FOUND));
    }
    subclass(control, proc, id, data);
}

LRESULT DefSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, SUBCLASSPROC proc,
                    UINT_PTR id) {
    if (msg == WM_NCDESTROY) SystemFunction<kRemoveWindowSubclass>()(hwnd, proc, id);
    return SystemFunction<kDefSubclassProc>()(hwnd, msg, wParam, lParam);
}

}  // namespace zv::win
