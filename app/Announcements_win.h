#pragma once
// Announcements without asking and the voice: announce.cfg, the clock's
// volume, and the chains (the schedule's decisions, the bell or the cuckoo
// before the speech, the chosen voice) with the Windows side they ask for.
// The clock window owns one and hands it its tick, its poll and the Time
// command.
#include <memory>
#include <string>
#include <vector>

#include "adapters/WinFullScreen.h"
#include "adapters/WinMicrophone.h"
#include "adapters/WinVoiceFolders.h"
#include "adapters/WinVolume.h"
#include "core/TimeFields.h"
#include "schedule/AnnounceSettings.h"
#include "schedule/Chains.h"
#include "settings/SettingsFolder.h"
#include "speech/Announcer.h"
#include "speech/ClipPlayer.h"
#include "voices/VoiceList.h"

namespace zv::win {

class TAnnouncements final : private IChainsHost {
  public:
    TAnnouncements(TSettingsFolder& files, IClipPlayer& player, IPollTimer& timer2,
                   TAnnouncer& announcer, IMonotonicClock& clock);
    TAnnouncements(const TAnnouncements&) = delete;
    TAnnouncements& operator=(const TAnnouncements&) = delete;

    // Start-up, once the program folder is current: reads announce.cfg and
    // uses what it holds. Whatever is wrong in it is said in one box; the
    // lines at fault keep their defaults and nothing is written.
    void Load();
    // Every clock tick, with the time just read: starts the announcement of a
    // boundary that is due.
    void Tick(const TimeFields& now) { chains_.Tick(now); }
    // Timer2: whichever chain plays.
    void Poll() { chains_.Poll(); }
    // The Time command: cuts a scheduled announcement, then speaks `now`.
    void SpeakNow(const TimeFields& now) { chains_.SpeakNow(now); }
    // The date command: today's date, read now.
    void SpeakDate() { chains_.SpeakDate(Today()); }
    // The dialog's "Прослушать": `now` in that voice and style, this once.
    void Listen(const std::string& voice, SpeechStyle style, const TimeFields& now) {
        chains_.Listen(voice, style, now);
    }

    void Resumed() { chains_.Resumed(); }

    const AnnounceSettings& Settings() const { return chains_.Settings(); }
    // The packs under voices\ for the dialog, the standard voice not included.
    std::vector<VoiceEntry> Packs();
    // The dialog's Apply: announce.cfg is written first; only what was
    // written is used.
    void Apply(const AnnounceSettings& settings);

  private:
    bool OtherFullScreen() override { return fullScreen_.OtherProgramFullScreen(); }
    bool MicrophoneBusy() override { return microphone_.InUse(); }
    CalendarDate Today() override;
    void ShowError(const std::string& text) override;
    void Use(const AnnounceSettings& settings);

    TSettingsFolder& files_;
    TWinFullScreen fullScreen_;
    TWinMicrophone microphone_;
    TWinVoiceFolders folders_;
    TChains chains_;
    std::unique_ptr<TWinVolume> volume_;  // made the first time the level is not 100 %
};

}  // namespace zv::win
