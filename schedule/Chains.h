#pragma once
// Every chain the clock speaks, on its one player and Timer2: the Time
// command's, the dialog's «Прослушать» and the schedule's. Decides when a
// scheduled announcement starts, in which voice, and which of its failures
// the user is shown. The window hands it the time, its ticks and its polls.
#include <string>

#include "core/TimeFields.h"
#include "schedule/AnnounceSettings.h"
#include "schedule/Schedule.h"
#include "schedule/ScheduledChain.h"
#include "speech/Announcer.h"
#include "speech/ClipPlayer.h"
#include "speech/DatePhrasing.h"
#include "voices/VoiceList.h"

namespace zv {

// What the chains ask of the window.
class IChainsHost {
  public:
    virtual ~IChainsHost() = default;
    // Another program has the screen full-screen.
    virtual bool OtherFullScreen() = 0;
    // A program is recording from the microphone.
    virtual bool MicrophoneBusy() = 0;
    // The local date, read when a scheduled announcement says it.
    virtual CalendarDate Today() = 0;
    // An error box; returns once the user has closed it, which may be hours
    // later, the ticks and polls having run meanwhile.
    virtual void ShowError(const std::string& text) = 0;
};

// The style `voice` speaks when `chosen` is set: a voice made before those
// styles existed keeps working, officially.
SpeechStyle StyleForVoice(IVoiceFolders& folders, const std::string& voice, SpeechStyle chosen);

// The text of the box that says the chosen voice is gone: `missing` is the
// first recording it lacks.
std::string FellBackText(const std::string& voice, const std::string& missing);

class TChains final : private IScheduleWorld {
  public:
    // `announcer` is the Time command's; the schedule has one of its own.
    TChains(IClipPlayer& player, IPollTimer& timer2, TAnnouncer& announcer, IVoiceFolders& folders,
            IChainsHost& host, IMonotonicClock& clock = SteadyClock());
    TChains(const TChains&) = delete;
    TChains& operator=(const TChains&) = delete;

    // The settings of announce.cfg from now on; a voice that is gone is said
    // at once.
    void Use(const AnnounceSettings& settings);
    const AnnounceSettings& Settings() const { return settings_; }
    // Every clock tick, with the time just read: starts the announcement of a
    // boundary that is due.
    void Tick(const TimeFields& now);
    // Timer2.
    void Poll();
    // The Time command: cuts a scheduled announcement, then speaks `now`.
    void SpeakNow(const TimeFields& now);
    // The date command: cuts a scheduled announcement, then says `today`.
    void SpeakDate(const CalendarDate& today);
    // The dialog's «Прослушать»: `now` in that voice and style, this once.
    void Listen(const std::string& voice, SpeechStyle style, const TimeFields& now);
    // The machine has woken from sleep: no clip is failed for the time it slept.
    void Resumed() {
        scheduled_.Resumed();
        announcer_.Resumed();
    }

  private:
    bool ChainPlaying() override;
    bool OtherFullScreen() override { return host_.OtherFullScreen(); }
    bool MicrophoneBusy() override { return host_.MicrophoneBusy(); }
    // The paths that say `today`: in the voice in use when it has every word
    // of a date, else in the standard voice.
    std::vector<std::string> DatePaths(const CalendarDate& today);
    // The chosen pack while it is whole, else the standard voice, in the
    // chosen style where the voice has its words; returns the text that says
    // the pack is gone the first time, else "".
    std::string PickVoice();
    template <class F>
    void StartThenTell(const std::string& note, F start);
    template <class F>
    void Scheduled(F work);

    IChainsHost& host_;
    IVoiceFolders& folders_;
    TAnnouncer& announcer_;
    TScheduledChain scheduled_;
    TSchedule schedule_;
    AnnounceSettings settings_;
    std::string voice_;             // the voice in use: the chosen one, or ""
    bool scheduledFailed_ = false;  // the scheduled chain now playing has failed
    bool quiet_ = false;            // a scheduled failure was shown: the next ones are not
};

}  // namespace zv
