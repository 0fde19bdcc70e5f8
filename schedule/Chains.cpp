#include "schedule/Chains.h"

#include <exception>

#include "core/Errors.h"

namespace zv {

using Files = std::vector<std::string>;

SpeechStyle StyleForVoice(IVoiceFolders& folders, const std::string& voice, SpeechStyle chosen) {
    if (chosen == SpeechStyle::Official || HasStyleFiles(folders, voice)) return chosen;
    return SpeechStyle::Official;
}

std::string FellBackText(const std::string& voice, const std::string& missing) {
    // The choice is dropped for this run (see PickVoice), so a file put back
    // is heard only from the next start.
    return "Голос «" + voice + "» не найден или неполон: рядом с Zvenoks.exe нет файла «" +
           VoiceFile(voice, missing) +
           "». До перезапуска часы говорят стандартным голосом: верните файл на место и "
           "перезапустите часы.";
}

TChains::TChains(IClipPlayer& player, IPollTimer& timer2, TAnnouncer& announcer,
                 IVoiceFolders& folders, IChainsHost& host, IMonotonicClock& clock)
    : host_(host), folders_(folders), announcer_(announcer), scheduled_(player, timer2, clock) {}

void TChains::Use(const AnnounceSettings& settings) {
    settings_ = settings;
    voice_ = settings.voice;
    const std::string note = PickVoice();
    if (!note.empty()) host_.ShowError(note);
}

std::string TChains::PickVoice() {
    const VoiceChoice choice = ChooseVoice(folders_, voice_);
    const SpeechStyle style = StyleForVoice(folders_, choice.voice, settings_.style);
    announcer_.SetVoice(choice.voice, style);
    scheduled_.SetVoice(choice.voice, style);
    if (!choice.fellBack) return {};
    // Only the voice in use falls back: announce.cfg keeps the choice, so a
    // pack put back is used again at the next start.
    const std::string gone = voice_;
    voice_.clear();
    return FellBackText(gone, choice.missing);
}

// The box comes after the start: the ticks go on inside it, and a chain
// started once it is closed would speak a time long gone, over whatever
// started meanwhile.
template <class F>
void TChains::StartThenTell(const std::string& note, F start) {
    if (note.empty()) return start();
    std::exception_ptr failure;
    try {
        start();
    } catch (...) {
        failure = std::current_exception();
    }
    host_.ShowError(note);
    if (failure) std::rethrow_exception(failure);
}

// A scheduled chain's failure is shown once, so that a night without a sound
// device leaves one box and not one a boundary; the next ones are swallowed
// on purpose until a chain has played to its end or the user has asked for
// the time. The schedule goes on trying all the same.
template <class F>
void TChains::Scheduled(F work) {
    try {
        work();
    } catch (const Exception&) {
        scheduledFailed_ = true;
        if (quiet_) return;
        quiet_ = true;
        throw;
    }
}

void TChains::Tick(const TimeFields& now) {
    if (settings_.every == 0) return;
    const auto due = schedule_.Tick(now, settings_, *this);
    if (!due) return;
    StartThenTell(PickVoice(), [&] {
        announcer_.Cancel();
        scheduledFailed_ = false;
        Scheduled([&] { scheduled_.Start(*due, due->date ? DatePaths(host_.Today()) : Files{}); });
    });
}

void TChains::Poll() {
    if (scheduled_.Active()) {
        Scheduled([&] { scheduled_.Poll(); });
        if (!scheduled_.Active() && !scheduledFailed_) quiet_ = false;  // spoken to its end
    }
    if (announcer_.Polling()) {
        announcer_.Poll();
        if (!announcer_.Polling()) quiet_ = false;
    }
}

void TChains::SpeakNow(const TimeFields& now) {
    quiet_ = false;
    StartThenTell(PickVoice(), [&] {
        scheduled_.Cancel();
        announcer_.Start(now);
    });
}

void TChains::SpeakDate(const CalendarDate& today) {
    quiet_ = false;
    StartThenTell(PickVoice(), [&] {
        scheduled_.Cancel();
        announcer_.StartFiles(DatePaths(today));
    });
}

// A pack made before the date was spoken has none of its words: the date
// then comes whole in the standard voice rather than word by word, so that
// one phrase is one speaker.
std::vector<std::string> TChains::DatePaths(const CalendarDate& today) {
    const std::string voice = HasDateFiles(folders_, voice_) ? voice_ : "";
    Files paths;
    for (const std::string& file : DateChain(today)) paths.push_back(VoiceFile(voice, file));
    return paths;
}

void TChains::Listen(const std::string& voice, SpeechStyle style, const TimeFields& now) {
    scheduled_.Cancel();
    announcer_.StartIn(voice, StyleForVoice(folders_, voice, style), now);
}

bool TChains::ChainPlaying() {
    return scheduled_.Sounding() || announcer_.Sounding();
}

}  // namespace zv
