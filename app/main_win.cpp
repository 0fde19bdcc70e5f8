// Program entry: one clock per session, the three windows in order, then the
// message loop.
#include <windows.h>

#include <cstdlib>

#include "about/Form2_win.h"
#include "app/Application_win.h"
#include "app/Form1_win.h"
#include "schedule/Form4_win.h"
#include "settings/Form3_win.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"

// libstdc++'s default terminate handler prints the demangled exception type,
// which links in the whole demangler (about 45 KB). Guarded() catches every
// exception, so reaching terminate is a bug either way: stop at once.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

namespace {

// DLLs loaded from now on, by name, come from the system folder only, never
// from the program's folder (which the user can write to). Looked up at run
// time: Windows 7 has it only with KB2533623; without it the program still
// runs, as its own LoadLibrary calls name the system folder themselves.
void KeepDllSearchInSystemFolder() {
    using SetDirs = BOOL(WINAPI*)(DWORD);
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto setDirs = reinterpret_cast<SetDirs>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
    // A failure leaves the default order, as on a system without the call.
    if (setDirs) (void)setDirs(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The running clock is asked to come forward. It may still be making its
// window, so it is looked for a little while.
void ShowRunningClock() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (HWND clock = zv::win::TForm1::FindRunning()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(clock, &pid);
            // This process was just started by the user and may hand the
            // right to take the foreground on; without it the window still
            // shows, only perhaps behind the active one.
            if (pid) (void)AllowSetForegroundWindow(pid);
            // If the clock is ending just now there is nothing left to show.
            (void)PostMessageW(clock, zv::win::TForm1::ComeForwardMessage(), 0, 0);
            return;
        }
        Sleep(100);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    KeepDllSearchInSystemFolder();
    // Held until the program ends: the system drops it with the process.
    zv::win::UniqueHandle instance(CreateMutexW(nullptr, FALSE, L"Local\\Zvenoks.Clock"));
    // Without the mutex (no rights, out of resources) there is no telling
    // whether another clock runs: better a second clock than none.
    if (instance && GetLastError() == ERROR_ALREADY_EXISTS) {
        ShowRunningClock();
        return 0;
    }
    int result = 0;
    zv::win::Guarded([&] {
        zv::win::TApplication application;
        zv::win::TForm1 form1(application);
        form1.Create();
        zv::win::TForm2 form2(application);
        form2.Create();
        // The settings dialog reads the main window's autostart component.
        zv::win::TForm3 form3(reinterpret_cast<HWND>(application.WindowHandle()), form1.Memo(),
                              form1.AutoRunner(), form1.StartupPhaseRef());
        application.AddTranslator([&form3](MSG& msg) { return form3.TranslateDialogMessage(msg); });
        zv::win::TForm4 form4(
            reinterpret_cast<HWND>(application.WindowHandle()),
            [&form1](const zv::AnnounceSettings& s) { form1.ApplyAnnouncements(s); },
            [&form1](const std::string& voice) { form1.Listen(voice); });
        application.AddTranslator([&form4](MSG& msg) { return form4.TranslateDialogMessage(msg); });
        form1.SetDialogs(&form2, &form3, &form4);
        form1.ShowOnStart(showCommand);
        result = application.Run();
    });
    return result;
}
