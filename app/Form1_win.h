#pragma once
// TForm1, the clock window: owner of every component, its one-second tick,
// the face painting and the window-level commands.
#include <windows.h>

#include <memory>
#include <string>

#include "adapters/WinAutoRunFiles.h"
#include "adapters/WinFileStore.h"
#include "adapters/WinHotkey.h"
#include "adapters/WinMciDriver.h"
#include "adapters/WinRegistry.h"
#include "adapters/WinSettingsFolder.h"
#include "adapters/WinTrayPlatform.h"
#include "adapters/WinUnbiasedClock.h"
#include "app/Announcements_win.h"
#include "app/Application_win.h"
#include "app/CaptionClicks_win.h"
#include "app/ClockFace.h"
#include "app/ClockMenus_win.h"
#include "app/DialAccess_win.h"
#include "app/DialCommands_win.h"
#include "app/FaceFrame_win.h"
#include "app/Image.h"
#include "app/KeyPresses_win.h"
#include "app/Layout.h"
#include "app/Startup.h"
#include "app/TickSchedule.h"
#include "app/TrayIconPicture_win.h"
#include "core/Component.h"
#include "core/Forms.h"
#include "core/StartupPhase.h"
#include "core/TimeFields.h"
#include "schedule/AnnounceConfig.h"
#include "schedule/AnnounceSettings.h"
#include "settings/ConfigFile.h"
#include "settings/Hotkey.h"
#include "settings/Memo.h"
#include "shell/AutoRunner.h"
#include "shell/DCMinTray.h"
#include "speech/Announcer.h"
#include "speech/MediaPlayer.h"
#include "speech/MediaPlayerWindow_win.h"
#include "win32/Handles.h"
#include "win32/Window.h"

namespace zv::win {

class TForm2;
class TForm3;
class TAnnouncementsDialog;

class TForm1 final : public TWindow,
                     public TComponent,
                     public IForm,
                     private IPollTimer,
                     private IStartupWindow {
  public:
    enum TimerId : UINT_PTR { kTimer1 = 1, kTimer2 = 2 };

    explicit TForm1(TApplication& application);
    ~TForm1() override;

    // Creates the window and its components and runs FormCreate.
    void Create();
    // The dialogs, created after this window and set before its first tick.
    void SetDialogs(TForm2* form2, TForm3* form3,
                    TAnnouncementsDialog* announcementsDialog = nullptr) {
        form3_ = form3;
        menus_.SetDialogs(form2, form3, announcementsDialog);
    }
    // What the settings dialog works on.
    TMemo& Memo() { return Memo1; }
    TAutoRunner& AutoRunner() { return AutoRunner1; }
    // The announcements dialog's Apply and "Прослушать".
    void ApplyAnnouncements(AnnounceSettings settings) {
        settings.size = announcements_.Settings().size;  // chosen in the menus, not there
        announcements_.Apply(settings);
    }
    void Listen(const AnnounceSettings& choice);
    // Shows the window as the message loop starts: maximized and topmost,
    // or minimized when the program was started so.
    void ShowOnStart(int showCommand);

    // IForm
    uintptr_t WindowHandle() override { return reinterpret_cast<uintptr_t>(Handle()); }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override;
    // The program's icon at the small-icon size of the window's DPI, for
    // the tray; loaded again whenever that size has changed.
    uintptr_t IconHandle() const override {
        return reinterpret_cast<uintptr_t>(trayPicture_.For(dpi_));
    }
    std::string Caption() const override { return "Zvenoks"; }

    // Commands. The never-shown buttons they belong to are not made as
    // windows: nothing could click them, and a button's window alone loads
    // Common Controls. The captions, menus, hotkey and screen readers call
    // these directly.
    void Button1Click();  // Time
    void Button2Click();  // Close
    void Button3Click();  // Hide

    // Runs one clock tick now (the Windows tests drive the tick themselves).
    void Timer1Timer();
    void Timer2Timer();

    void N4Click() { menus_.N4Click(); }
    void N7Click() { menus_.N7Click(); }
    void AnnouncementsItemClick() { menus_.AnnouncementsItemClick(); }

    const TimeFields& Now() const { return now_; }
    uint16_t& StartupPhaseRef() { return startupPhase_; }
    uint16_t StartupPhase() const { return startupPhase_; }
    const FormLayout& Layout() const { return layout_; }
    TAnnouncer& Announcer() { return announcer_; }
    // The last composed face and the tray component, for tests.
    const Image& Face() const { return frame_.Face(); }
    const TDCMinTray& Tray() const { return DCMinTray1; }

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // IPollTimer: Timer2.
    void SetEnabled(bool on) override;

    int FaceDpi() const;
    void SetSize(int percent);
    void CoverMonitor();
    // The tick's timer fired: arm the next one, then tick unless it came early.
    void OnTimer1();
    // Lays the face out again if the primary monitor's size has changed.
    void FollowMonitorSize();
    void DisplayChanged();
    // A new DPI for the monitor: lay out and draw again, and a new tray icon.
    void DpiChanged(int dpi);
    // IStartupWindow
    void HideApplicationWindow() override;
    void ApplyLayout() override;
    void ShowMainWindowAndControls() override;
    void HideMainWindow() override { SetVisible(false); }

    void FormCreate();
    void FormActivate();
    void ComeForward();
    void StartupWork();
    void RefreshDisplay();
    void Paint();

    TApplication& application_;
    TForm3* form3_ = nullptr;

    // Program-wide state kept with the main window.
    uint16_t startupPhase_ = kPhaseIdle;
    TimeFields now_;
    std::string settingsText_;

    TWinFileStore files_;
    TWinSettingsFolder settingsPlatform_;
    TSettingsFolder settings_{files_, settingsPlatform_, {config::kFileName, kAnnounceFileName}};
    TMemo Memo1{settings_};
    TWinRegistry registry_;
    TWinAutoRunFiles autoRunFiles_;
    TAutoRunner AutoRunner1;

    TWinTrayPlatform trayPlatform_;
    TDCMinTray DCMinTray1;
    TWinHotkey hotkeyPlatform_{*this};
    THotkeyRegistration hotkey_;

    TWinMciDriver mciDriver_;
    TMediaPlayer* playerForWindow_ = nullptr;
    TMediaPlayerWindow mediaPlayerWindow_{playerForWindow_};
    TMediaPlayer MediaPlayer1;
    TWinUnbiasedClock clock_;
    TAnnouncer announcer_;
    TAnnouncements announcements_;

    bool visible_ = false;
    bool minimizedStart_ = false;
    bool timer2Enabled_ = false;
    TTickSchedule tickSchedule_;
    FormLayout layout_{};
    SIZE layoutSize_{};     // the monitor size layout_ is for
    int dpi_ = kDesignDpi;  // what the face is drawn for
    TTrayIconPicture trayPicture_;
    TFaceFrame frame_;
    TCaptionClicks captions_;
    TDialCommands dial_;
    TDialAccess access_;
    TClockMenus menus_;
    TKeyPresses keys_;
};

}  // namespace zv::win
