#pragma once
// The announcements dialog "Оповещения": the schedule, the sounds around it
// and the voice.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "schedule/AnnounceChoices.h"
#include "schedule/AnnounceSettings.h"
#include "win32/Dialog.h"

namespace zv::win {

class TAnnouncementsDialog final : public TDialog {
  public:
    // Gets what Apply built; writing and using it is the caller's. If it
    // throws, the error box shows and the dialog stays as the user left it.
    using ApplyHandler = std::function<void(const AnnounceSettings&)>;
    // Speaks the current time in the voice and style the controls hold.
    using ListenHandler = std::function<void(const AnnounceSettings&)>;

    // The dialog, owned by the application window (may be null), made hidden
    // now or when first shown.
    TAnnouncementsDialog(HWND owner, ApplyHandler onApply, ListenHandler onListen,
                         TDialogMaking making = TDialogMaking::Now);

    // Fills the controls, making the window first if need be; the voice list
    // is "Стандартный" and then the packs.
    void Load(const AnnounceSettings& settings, std::vector<VoiceEntry> voices);
    // What the controls hold now, as Apply hands it over.
    AnnounceSettings Settings() const;

  private:
    void Command(size_t row, int code) override;
    LRESULT OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    AnnounceControls ReadControls() const;
    void ShowVolume();
    void WidenVoiceList();
    void DpiChanged() override { WidenVoiceList(); }
    void WindowMade() override;
    void EnableQuietHours();
    void VoiceChanged();

    ApplyHandler onApply_;
    ListenHandler onListen_;
    std::vector<VoiceEntry> voices_;
    int voiceItem_ = 0;  // the last voice-list item that may be chosen
};

}  // namespace zv::win
