#include "schedule/ScheduledChain.h"

#include <utility>

#include "core/Errors.h"

namespace zv {

TScheduledChain::TScheduledChain(IClipPlayer& player, IPollTimer& timer2, IMonotonicClock& clock)
    : player_(player), timer2_(timer2), clock_(clock) {}

void TScheduledChain::Start(const ScheduledAnnouncement& a, std::vector<std::string> then) {
    spoken_ = TimeFields{a.hour, a.minute, 0, 0};
    prelude_ = a.prelude;
    then_ = std::move(then);
    active_ = true;
    inPrelude_ = !prelude_.empty();
    // The last word of the chain before is over, whether it had ended or not.
    announcer_.Cancel();
    if (!inPrelude_) {
        announcer_.StartThen(spoken_, then_);
        return;
    }
    timer2_.SetEnabled(true);
    PlayPrelude(0);
}

void TScheduledChain::Poll() {
    if (!active_) return;
    if (!inPrelude_) {
        announcer_.Poll();
        return;
    }
    const int32_t length = player_.Length();
    const int32_t position = player_.Position();
    if (length != position) {
        if (!stall_.Stalled(length, position, clock_.NowMs())) return;
        // A bell that never sounds would be polled for ever: give the whole
        // announcement up, as the speech itself would be.
        active_ = inPrelude_ = false;
        timer2_.SetEnabled(false);
        player_.Close();
        throw EMCIDeviceError(PlaybackFailedText(prelude_[next_ - 1]));
    }
    if (next_ < prelude_.size()) {
        PlayPrelude(next_);
    } else {
        inPrelude_ = false;
        player_.Close();
        announcer_.StartThen(spoken_, then_);
    }
}

void TScheduledChain::PlayPrelude(size_t index) {
    try {
        if (index > 0 && prelude_[index] == prelude_[index - 1]) {
            // The same call again: played from the start without a new open.
            player_.Play();
        } else {
            if (index > 0) player_.Close();
            player_.SetFileName(prelude_[index]);
            player_.Open();
            player_.Play();
        }
        stall_.Restart(clock_.NowMs());
        next_ = index + 1;
    } catch (...) {
        // A missing bell must not cost the time itself: the speech goes on,
        // and the error is still shown once by whoever catches it.
        inPrelude_ = false;
        StartSpeech();
        throw;
    }
}

void TScheduledChain::StartSpeech() {
    try {
        announcer_.StartThen(spoken_, then_);
    } catch (const Exception&) {
        // The prelude's error is the one reported; the announcer has stopped
        // its poll, so this one is not lost silently but replaced.
    }
}

}  // namespace zv
