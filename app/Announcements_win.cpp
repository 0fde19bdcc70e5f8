#include "app/Announcements_win.h"

#include "schedule/AnnounceConfig.h"
#include "win32/ErrorBox.h"
#include "win32/WinAnnounceFile.h"

namespace zv::win {

namespace {

std::string FellBackText(const std::string& voice, const std::string& missing) {
    return "Голос «" + voice + "» не найден или неполон (нет файла " + missing +
           "). Время звучит стандартным голосом.";
}

}  // namespace

TAnnouncements::TAnnouncements(IFileStore& files, IClipPlayer& player, IPollTimer& timer2,
                               TAnnouncer& announcer)
    : files_(files), player_(player), announcer_(announcer), scheduled_(player, timer2) {}

void TAnnouncements::Load() {
    const AnnounceRead read = LoadAnnounceConfig(files_, FileMayExist(kAnnounceFileName));
    // Shown here rather than thrown: the clock starts all the same, with the
    // defaults for the lines at fault.
    const std::string text = AnnounceErrorBoxText(read);
    if (!text.empty()) ShowErrorBox(text);
    Use(read.settings);
}

void TAnnouncements::Use(const AnnounceSettings& settings) {
    const bool volumeChanged = settings.volume != settings_.volume;
    settings_ = settings;
    // At 100 % nothing is touched, so the level is whatever it always was.
    if (volumeChanged || settings.volume != 100) {
        if (!volume_) volume_ = std::make_unique<TWinVolume>();
        // Without a device that takes a level the sound plays as it is: there
        // is nothing else to do about it, and the clock must not stop for it.
        (void)volume_->Apply(settings.volume);
    }
    voice_ = settings.voice;
    CheckVoice();
}

void TAnnouncements::CheckVoice() {
    const VoiceChoice choice = ChooseVoice(folders_, voice_);
    announcer_.SetVoice(choice.voice);
    scheduled_.SetVoice(choice.voice);
    if (choice.fellBack) {
        // Only the voice in use falls back: announce.cfg keeps the choice, so
        // a pack put back is used again at the next start.
        const std::string gone = voice_;
        voice_.clear();
        ShowErrorBox(FellBackText(gone, choice.missing));
    }
}

void TAnnouncements::Tick(const TimeFields& now) {
    if (settings_.every == 0) return;
    if (auto due = schedule_.Tick(now, settings_, *this)) {
        CheckVoice();
        scheduled_.Start(*due);
    }
}

void TAnnouncements::SpeakNow(const TimeFields& now) {
    scheduled_.Cancel();
    if (!voice_.empty()) CheckVoice();
    announcer_.Start(now);
}

void TAnnouncements::Listen(const std::string& voice, const TimeFields& now) {
    scheduled_.Cancel();
    announcer_.StartIn(voice, now);
}

std::vector<VoiceEntry> TAnnouncements::Packs() {
    std::vector<VoiceEntry> voices = ListVoices(folders_);
    if (!voices.empty() && voices.front().name.empty()) voices.erase(voices.begin());
    return voices;
}

void TAnnouncements::Apply(const AnnounceSettings& settings) {
    SaveAnnounceConfig(files_, settings);
    Use(settings);
}

bool TAnnouncements::ChainPlaying() {
    return scheduled_.Active() || announcer_.Polling() || ClipStillPlaying(player_);
}

}  // namespace zv::win
