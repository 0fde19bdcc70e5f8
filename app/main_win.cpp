// Program entry: one clock per session, the three windows in order, then the
// message loop.
#include <windows.h>

#include <cstdlib>

#include "about/Form2_win.h"
#include "app/Application_win.h"
#include "app/Form1_win.h"
#include "app/SingleInstance_win.h"
#include "schedule/AnnouncementsDialog_win.h"
#include "settings/Form3_win.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"
#include "win32/SystemFunctions.h"

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
    const auto setDirs = zv::win::SystemFunction<zv::win::kSetDefaultDllDirectories>();
    if (setDirs && setDirs(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // The most the old order allows: an empty DLL directory takes the current
    // directory (a Run key or a shortcut may start the clock in any folder)
    // out of the search. The program's folder stays first in it, so a DLL
    // that Windows' own code loads by name is still looked for there. A
    // failure leaves the default order.
    (void)SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    KeepDllSearchInSystemFolder();
    // A dir.cfg or working folder on an empty card reader or a drive that is
    // gone gets the clock's own error, not the system's «no disk» box.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Held until the program ends: the system drops it with the process.
    const zv::win::TSingleInstance instance;
    if (instance.AnotherRuns()) {
        if (!zv::win::TSingleInstance::ShowRunningClock())
            zv::win::ShowErrorBox(zv::win::kElevatedClockText);
        return 0;
    }
    int result = 0;
    zv::win::Guarded([&] {
        zv::win::TApplication application;
        zv::win::TForm1 form1(application);
        form1.Create();
        const auto owner = reinterpret_cast<HWND>(application.WindowHandle());
        // The dialogs' windows are made when first shown.
        constexpr auto late = zv::win::TDialogMaking::OnFirstShow;
        zv::win::TForm2 form2(owner, 0, late);
        // The settings dialog reads the main window's autostart component.
        zv::win::TForm3 form3(owner, form1.Memo(), form1.AutoRunner(), form1.StartupPhaseRef(),
                              late);
        zv::win::TAnnouncementsDialog announcements(
            owner, [&form1](const zv::AnnounceSettings& s) { form1.ApplyAnnouncements(s); },
            [&form1](const zv::AnnounceSettings& s) { form1.Listen(s); }, late);
        application.AddDialog(form2);
        application.AddDialog(form3);
        application.AddDialog(announcements);
        form1.SetDialogs(&form2, &form3, &announcements);
        form1.ShowOnStart(showCommand);
        result = application.Run();
    });
    return result;
}
