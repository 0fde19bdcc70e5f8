#include "app/Announcements_win.h"

#include "adapters/WinAnnounceFile.h"
#include "schedule/AnnounceConfig.h"
#include "win32/ErrorBox.h"

namespace zv::win {

TAnnouncements::TAnnouncements(TSettingsFolder& files, IClipPlayer& player, IPollTimer& timer2,
                               TAnnouncer& announcer, IMonotonicClock& clock)
    : files_(files), chains_(player, timer2, announcer, folders_, *this, clock) {}

void TAnnouncements::Load() {
    const AnnounceRead read =
        LoadAnnounceConfig(files_, FileMayExist(files_.ReadPath(kAnnounceFileName)));
    // Shown here rather than thrown: the clock starts all the same, with the
    // defaults for the lines at fault.
    const std::string text = AnnounceErrorBoxText(read);
    if (!text.empty()) ShowErrorBox(text);
    Use(read.settings);
}

void TAnnouncements::Use(const AnnounceSettings& settings) {
    const bool volumeChanged = settings.volume != Settings().volume;
    // At 100 % nothing is touched, so the level is whatever it always was.
    if (volumeChanged || settings.volume != 100) {
        if (!volume_) volume_ = std::make_unique<TWinVolume>();
        // Without a device that takes a level the sound plays as it is: there
        // is nothing else to do about it, and the clock must not stop for it.
        (void)volume_->Apply(settings.volume);
    }
    chains_.Use(settings);
}

CalendarDate TAnnouncements::Today() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay};
}

void TAnnouncements::ShowError(const std::string& text) {
    ShowErrorBox(text);
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

}  // namespace zv::win
