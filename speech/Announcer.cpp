#include "speech/Announcer.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "core/Errors.h"
#include "speech/Phrasing.h"
#include "voices/VoiceList.h"

namespace zv {

namespace {

class TSteadyClock final : public IMonotonicClock {
  public:
    int64_t NowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

}  // namespace

IMonotonicClock& SteadyClock() {
    static TSteadyClock clock;
    return clock;
}

std::string PlaybackFailedText(const std::string& file) {
    return "Не удалось воспроизвести запись «" + file +
           "». Проверьте, подключены и включены ли колонки или наушники.";
}

TAnnouncer::TAnnouncer(IClipPlayer& player, IPollTimer& timer2, IMonotonicClock& clock)
    : player_(player), timer2_(timer2), clock_(clock) {}

void TAnnouncer::StartIn(const std::string& voice, SpeechStyle style, const TimeFields& at) {
    // The official chain is the state machine's; another style is a list.
    std::vector<std::string> words;
    if (style != SpeechStyle::Official) {
        for (const std::string& file : SpokenChain(style, at.hour, at.minute))
            words.push_back(VoiceFile(voice, file));
    }
    Begin(voice, at, std::move(words));
}

void TAnnouncer::StartThen(const TimeFields& at, std::vector<std::string> then) {
    if (then.empty()) return Start(at);
    std::vector<std::string> words;
    for (const std::string& file : SpokenChain(style_, at.hour, at.minute))
        words.push_back(VoiceFile(voice_, file));
    words.insert(words.end(), then.begin(), then.end());
    Begin(voice_, at, std::move(words));
}

void TAnnouncer::StartFiles(std::vector<std::string> paths) {
    if (paths.empty()) throw Exception("nothing to say");
    Begin(voice_, TimeFields{}, std::move(paths));
}

void TAnnouncer::Begin(const std::string& voice, const TimeFields& at,
                       std::vector<std::string> words) {
    words_ = std::move(words);
    nextWord_ = 0;
    chainVoice_ = voice;
    // A chain that ran on across a minute would mix two times ("двадцать
    // час ноль минут" at 20:59:59): it keeps the one it was asked.
    hour_ = at.hour;
    minute_ = at.minute;
    state_ = 0;
    polling_ = true;
    lastWord_ = false;
    timer2_.SetEnabled(true);
    try {
        if (!words_.empty()) return PlayWord();
        const unsigned h = hour_;
        std::string file = NumberFile(h);
        if (h >= 21) {
            file = "20.wav";
            state_ = 1;
        }
        PlayClip(file);
    } catch (...) {
        StopPolling();
        throw;
    }
}

void TAnnouncer::Poll() {
    // A tick already queued when the poll was stopped must not read a player
    // that has nothing open.
    if (!polling_) return;
    try {
        const int32_t length = player_.Length();
        const int32_t position = player_.Position();
        if (length != position) {
            CheckStall(length, position);
            return;
        }
        Step();
    } catch (...) {
        // The error is shown once by whoever catches it; polling on would find
        // no clip open and fail again on every tick.
        StopPolling();
        throw;
    }
}

// The states are tested in the order 4, 3, 2, 0, 1: each step moves to a state
// tested earlier (or to 5), so a tick takes at most one step.
void TAnnouncer::Step() {
    if (!words_.empty()) {
        player_.Close();
        PlayWord();
        return;
    }
    const unsigned m = minute_;
    if (state_ == 4) {
        player_.Close();
        PlayClip(MinuteWord(m));
        StopPolling();
        state_ = 5;
        lastWord_ = true;
    } else if (state_ == 3) {
        state_ = 4;
        player_.Close();
        // The units of a round minute are a recording of their own.
        const unsigned units = m % 10;
        PlayClip(units == 0 ? "0_0.wav" : FeminineNumber(units));
    } else if (state_ == 2) {
        player_.Close();
        if (m < 20) {
            state_ = 4;
            PlayClip(FeminineNumber(m));
        } else {
            state_ = 3;
            PlayClip(NumberFile(m / 10 * 10));
        }
    } else if (state_ == 0) {
        player_.Close();
        PlayClip(HourWord(hour_));
        state_ = 2;
    } else if (state_ == 1) {
        player_.Close();
        PlayClip(NumberFile(hour_ % 10u));
        state_ = 0;
    }
}

// The next recording of a styled chain; the last one ends the poll as the
// official chain's last word does.
void TAnnouncer::PlayWord() {
    PlayPath(words_[nextWord_++]);
    if (nextWord_ < words_.size()) return;
    StopPolling();
    state_ = 5;
    lastWord_ = true;
}

void TAnnouncer::Cancel() {
    polling_ = false;
    lastWord_ = false;
}

bool TAnnouncer::Sounding() {
    if (polling_) return true;
    if (!lastWord_) return false;
    try {
        const int32_t length = player_.Length();
        if (length == player_.Position()) return false;
        return clock_.NowMs() - clipStartMs_ <= std::max<int64_t>(length, 0) + kStallMarginMs;
    } catch (const EMCIDeviceError&) {
        return false;  // nothing open, so nothing sounds
    }
}

void TAnnouncer::CheckStall(int32_t length, int32_t position) {
    if (!stall_.Stalled(length, position, clock_.NowMs())) return;
    // Nothing plays, so nothing will end: without this the poll would ask the
    // device twice every few milliseconds for ever.
    player_.Close();
    throw EMCIDeviceError(PlaybackFailedText(clip_));
}

void TAnnouncer::PlayClip(const std::string& file) {
    PlayPath(VoiceFile(chainVoice_, file));
}

void TAnnouncer::PlayPath(const std::string& path) {
    clip_ = path;
    player_.SetFileName(clip_);
    player_.Open();
    player_.Play();
    clipStartMs_ = clock_.NowMs();
    stall_.Restart(clipStartMs_);
}

void TAnnouncer::StopPolling() {
    polling_ = false;
    timer2_.SetEnabled(false);
}

}  // namespace zv
