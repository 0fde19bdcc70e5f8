#pragma once
// A control's subclass, through Common Controls looked up at run time: the
// clock loads them only with its first dialog.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace zv::win {

// Throws zv::Exception with the system's reason when Common Controls cannot
// be had; a subclass is set only when all three functions were found, so
// DefSubclass may call them unchecked.
void SubclassControl(HWND control, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
// The rest of a subclass procedure: the next procedure's answer, and the
// subclass removed as the control goes.
LRESULT DefSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, SUBCLASSPROC proc,
                    UINT_PTR id);

}  // namespace zv::win
