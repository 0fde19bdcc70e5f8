#pragma once
// The announcements dialog "Оповещения": the schedule, the sounds around it
// and the voice. Non-modal and topmost, created once and shown and
// hidden many times, like the settings dialog.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/AnnounceChoices.h"
#include "schedule/AnnounceSettings.h"
#include "win32/DialogFocus.h"
#include "win32/Handles.h"
#include "win32/Window.h"

namespace zv::win {

class TAnnouncementsDialog final : public TWindow {
  public:
    // Gets what Apply built; writing and using it is the caller's. If it
    // throws, the error box shows and the dialog stays as the user left it.
    using ApplyHandler = std::function<void(const AnnounceSettings&)>;
    // Speaks the current time in that voice ("" the standard one).
    using ListenHandler = std::function<void(const std::string& voice)>;

    // Creates the dialog hidden, owned by the application window (may be null).
    TAnnouncementsDialog(HWND owner, ApplyHandler onApply, ListenHandler onListen);
    ~TAnnouncementsDialog() override;

    // Fills the controls; the voice list is "Стандартный" and then the packs.
    void Load(const AnnounceSettings& settings, std::vector<VoiceEntry> voices);
    // What the controls hold now, as Apply hands it over.
    AnnounceSettings Settings() const;

    // Centred on the primary monitor's work area the first time; later where
    // it was left.
    void Show();
    void Hide() { ShowWindow(Handle(), SW_HIDE); }
    bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }

    // For the message loop: Tab, arrows and Space among the controls while the
    // dialog is shown. True when the message was used.
    bool TranslateDialogMessage(MSG& msg);

    // The control of that name ("EveryBox", "ApplyButton", ...); null if none.
    HWND Control(std::string_view name) const;

    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 238;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateControls();
    AnnounceControls ReadControls() const;
    void ShowVolume();
    void WidenVoiceList();
    void EnableQuietHours();
    void VoiceChanged();
    void OnCommand(int id, int code);

    ApplyHandler onApply_;
    ListenHandler onListen_;
    std::vector<VoiceEntry> voices_;
    UniqueFont font_;
    std::vector<HWND> controls_;
    TDialogFocus focus_;
    int voiceItem_ = 0;  // the last voice-list item that may be chosen
    bool placed_ = false;
};

}  // namespace zv::win
