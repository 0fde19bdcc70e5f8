#pragma once
// Every function the program looks up at run time, in one table: those that
// not every supported Windows has, and those of DLLs it loads only from the
// system folder (win32/SystemLibrary). Each is looked up once, on first use,
// and its DLL held for good; the one DLL the program frees again,
// windowscodecs, is looked up where it is held (app/SkinPicture_win).
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <unknwn.h>

#include <type_traits>

namespace zv::win {

enum class TSystemDll { Kernel32, User32, Shell32, Oleacc, Oleaut32, Winmm, Comdlg32, Comctl32 };

template <class Fn>
struct SystemFunctionRow {
    using Type = Fn;
    TSystemDll dll;
    const char* name;
};

// Windows 8, and 7 with KB2533623.
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(DWORD)> kSetDefaultDllDirectories{
    TSystemDll::Kernel32, "SetDefaultDllDirectories"};

// Windows 7 has it; Wine has none.
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT)>
    kChangeWindowMessageFilterEx{TSystemDll::User32, "ChangeWindowMessageFilterEx"};
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD)>
    kSetLayeredWindowAttributes{TSystemDll::User32, "SetLayeredWindowAttributes"};
// Windows 10 1607.
inline constexpr SystemFunctionRow<UINT(WINAPI*)(HWND)> kGetDpiForWindow{TSystemDll::User32,
                                                                         "GetDpiForWindow"};
inline constexpr SystemFunctionRow<int(WINAPI*)(int, UINT)> kGetSystemMetricsForDpi{
    TSystemDll::User32, "GetSystemMetricsForDpi"};
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>
    kAdjustWindowRectExForDpi{TSystemDll::User32, "AdjustWindowRectExForDpi"};

// Vista; the state is a QUERY_USER_NOTIFICATION_STATE.
inline constexpr SystemFunctionRow<HRESULT(WINAPI*)(int*)> kSHQueryUserNotificationState{
    TSystemDll::Shell32, "SHQueryUserNotificationState"};

inline constexpr SystemFunctionRow<HRESULT(WINAPI*)(HWND, LONG, REFIID, void**)>
    kCreateStdAccessibleObject{TSystemDll::Oleacc, "CreateStdAccessibleObject"};
inline constexpr SystemFunctionRow<LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN)> kLresultFromObject{
    TSystemDll::Oleacc, "LresultFromObject"};
inline constexpr SystemFunctionRow<HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**)>
    kAccessibleObjectFromWindow{TSystemDll::Oleacc, "AccessibleObjectFromWindow"};
// The strings handed to a screen reader, which frees them with its own.
inline constexpr SystemFunctionRow<BSTR(WINAPI*)(const OLECHAR*, UINT)> kSysAllocStringLen{
    TSystemDll::Oleaut32, "SysAllocStringLen"};

// Only for the dialog that finds a lost program folder: loaded at start,
// comdlg32 brings the printing stack with it (some 5 MB under Wine).
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(LPOPENFILENAMEW)> kGetOpenFileNameW{
    TSystemDll::Comdlg32, "GetOpenFileNameW"};
inline constexpr SystemFunctionRow<DWORD(WINAPI*)()> kCommDlgExtendedError{TSystemDll::Comdlg32,
                                                                           "CommDlgExtendedError"};

// Only for the dialogs, made when first shown: Common Controls loaded at
// start cost some 3 MB under Wine.
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>
    kInitCommonControlsEx{TSystemDll::Comctl32, "InitCommonControlsEx"};
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR)>
    kSetWindowSubclass{TSystemDll::Comctl32, "SetWindowSubclass"};
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR)>
    kRemoveWindowSubclass{TSystemDll::Comctl32, "RemoveWindowSubclass"};
inline constexpr SystemFunctionRow<LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM)> kDefSubclassProc{
    TSystemDll::Comctl32, "DefSubclassProc"};

inline constexpr SystemFunctionRow<DWORD(WINAPI*)(UINT, UINT, DWORD_PTR, DWORD_PTR)>
    kMciSendCommandW{TSystemDll::Winmm, "mciSendCommandW"};
inline constexpr SystemFunctionRow<BOOL(WINAPI*)(DWORD, LPWSTR, UINT)> kMciGetErrorStringW{
    TSystemDll::Winmm, "mciGetErrorStringW"};
inline constexpr SystemFunctionRow<UINT(WINAPI*)()> kWaveOutGetNumDevs{TSystemDll::Winmm,
                                                                       "waveOutGetNumDevs"};
inline constexpr SystemFunctionRow<UINT(WINAPI*)(HWAVEOUT, DWORD)> kWaveOutSetVolume{
    TSystemDll::Winmm, "waveOutSetVolume"};
inline constexpr SystemFunctionRow<UINT(WINAPI*)(HWAVEOUT, LPDWORD)> kWaveOutGetVolume{
    TSystemDll::Winmm, "waveOutGetVolume"};
inline constexpr SystemFunctionRow<MMRESULT(WINAPI*)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD)>
    kMixerOpen{TSystemDll::Winmm, "mixerOpen"};
inline constexpr SystemFunctionRow<MMRESULT(WINAPI*)(HMIXER)> kMixerClose{TSystemDll::Winmm,
                                                                          "mixerClose"};
inline constexpr SystemFunctionRow<MMRESULT(WINAPI*)(HMIXEROBJ, LPMIXERLINEW, DWORD)>
    kMixerGetLineInfoW{TSystemDll::Winmm, "mixerGetLineInfoW"};
inline constexpr SystemFunctionRow<MMRESULT(WINAPI*)(HMIXEROBJ, LPMIXERLINECONTROLSW, DWORD)>
    kMixerGetLineControlsW{TSystemDll::Winmm, "mixerGetLineControlsW"};
inline constexpr SystemFunctionRow<MMRESULT(WINAPI*)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD)>
    kMixerGetControlDetailsW{TSystemDll::Winmm, "mixerGetControlDetailsW"};
inline constexpr SystemFunctionRow<MMRESULT(WINAPI*)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD)>
    kMixerSetControlDetails{TSystemDll::Winmm, "mixerSetControlDetails"};

// The export, from the DLL loaded from the system folder the first time one
// of its functions is asked for (kernel32 and user32 are always loaded);
// null when either is missing.
void* FindSystemExport(TSystemDll dll, const char* name);
// Why the DLL could not be loaded (the system's code), 0 when it was.
DWORD SystemDllError(TSystemDll dll);

// The function of that row of the table, or null.
template <const auto& Function>
auto SystemFunction() {
    using Fn = typename std::remove_cvref_t<decltype(Function)>::Type;
    // GetProcAddress hands back a generic function pointer; the row gives the
    // export's documented signature.
    static const Fn found = reinterpret_cast<Fn>(FindSystemExport(Function.dll, Function.name));
    return found;
}

}  // namespace zv::win
