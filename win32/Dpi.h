#pragma once
// The DPI a window is drawn for. The exe declares itself per-monitor aware,
// so Windows no longer stretches what it draws: it reads the DPI and scales.
#include <windows.h>

namespace zv::win {

// The DPI of the monitor the window is on (Windows 10 1607 and later), else
// the system's: Windows 7 and 8 have one DPI for every monitor.
int WindowDpi(HWND window);

// The small icon's side at `dpi`, as the notification area shows it.
int SmallIconSize(int dpi);

// The large icon's side at `dpi`, as a window's caption and Alt+Tab show it.
int LargeIconSize(int dpi);

// A vertical scroll bar's width at `dpi`.
int ScrollBarWidth(int dpi);

// The side of a check box's box at `dpi`.
int CheckMarkSize(int dpi);

// `rect`, a client area, grown to the window round it at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace zv::win
