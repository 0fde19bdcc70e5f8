#pragma once
// Announcements without asking and the voice: announce.cfg, the schedule's
// decision at every tick, the bell or the cuckoo before the speech, the
// clock's volume and the chosen voice. The clock window owns one and hands
// it its tick, its poll and the Time command.
#include <memory>
#include <string>
#include <vector>

#include "core/TimeFields.h"
#include "schedule/AnnounceSettings.h"
#include "schedule/Schedule.h"
#include "schedule/ScheduledChain.h"
#include "settings/FileStore.h"
#include "speech/Announcer.h"
#include "speech/ClipPlayer.h"
#include "voices/VoiceList.h"
#include "win32/WinFullScreen.h"
#include "win32/WinVoiceFolders.h"
#include "win32/WinVolume.h"

namespace zv::win {

class TAnnouncements final : private IScheduleWorld {
  public:
    TAnnouncements(IFileStore& files, IClipPlayer& player, IPollTimer& timer2,
                   TAnnouncer& announcer);
    TAnnouncements(const TAnnouncements&) = delete;
    TAnnouncements& operator=(const TAnnouncements&) = delete;

    // Start-up, once the program folder is current: reads announce.cfg and
    // uses what it holds. Whatever is wrong in it is said in one box; the
    // lines at fault keep their defaults and nothing is written.
    void Load();
    // Every clock tick, with the time just read: starts the announcement of a
    // boundary that is due.
    void Tick(const TimeFields& now);
    // Timer2: the scheduled chain, while one plays.
    void Poll() { scheduled_.Poll(); }
    // The Time command: cuts a scheduled announcement, then speaks the time.
    void SpeakNow();
    // The dialog's "Прослушать": the time now, in that voice, this once.
    void Listen(const std::string& voice);

    const AnnounceSettings& Settings() const { return settings_; }
    // The packs under voices\ for the dialog, the standard voice not included.
    std::vector<VoiceEntry> Packs();
    // The dialog's Apply: announce.cfg is written first; only what was
    // written is used.
    void Apply(const AnnounceSettings& settings);

  private:
    bool ChainPlaying() override;
    bool OtherFullScreen() override { return fullScreen_.OtherProgramFullScreen(); }
    void Use(const AnnounceSettings& settings);
    // The chosen pack while it is whole; else the standard voice, said once.
    void CheckVoice();

    IFileStore& files_;
    IClipPlayer& player_;
    TAnnouncer& announcer_;
    AnnounceSettings settings_;
    TSchedule schedule_;
    TScheduledChain scheduled_;
    TFullScreen fullScreen_;
    TWinVoiceFolders folders_;
    std::unique_ptr<TWinVolume> volume_;  // made the first time the level is not 100 %
    std::string voice_;                   // the voice in use: the chosen one, or ""
};

}  // namespace zv::win
