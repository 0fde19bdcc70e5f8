// Program entry: the three windows in order, then the message loop.
#include <windows.h>

#include "about/Form2_win.h"
#include "app/Application_win.h"
#include "app/Form1_win.h"
#include "settings/Form3_win.h"
#include "win32/ErrorBox.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    int result = 0;
    zv::win::Guarded([&] {
        zv::win::TApplication application;
        zv::win::TForm1 form1(application);
        form1.Create();
        zv::win::TForm2 form2(application);
        form2.Create();
        // The settings dialog reads the main window's autostart component.
        zv::win::TForm3 form3(reinterpret_cast<HWND>(application.WindowHandle()), form1.Memo1,
                              form1.AutoRunner1, form1.StartupPhaseRef());
        application.AddTranslator([&form3](MSG& msg) { return form3.TranslateDialogMessage(msg); });
        form1.SetDialogs(&form2, &form3);
        form1.ShowOnStart(showCommand);
        result = application.Run();
    });
    return result;
}
