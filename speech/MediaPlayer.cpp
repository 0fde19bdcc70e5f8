#include "speech/MediaPlayer.h"

#include <utility>

#include "core/Errors.h"

namespace zv {

namespace {
constexpr const char* kNoDevice = "No MCI device open";
constexpr const char* kUnknownError = "Unknown error code";
constexpr uint32_t kWaitItem = mci::kWait | mci::kStatusItem;
}  // namespace

TMediaPlayer::TMediaPlayer(IMciDriver& driver, std::function<uintptr_t()> notifyWindow)
    : driver_(driver), notifyWindow_(std::move(notifyWindow)) {}

TMediaPlayer::~TMediaPlayer() {
    if (deviceId_ == 0) return;
    // No callback window: the owner may already be tearing its windows down,
    // and a waited close posts nothing to it anyway.
    MciRequest request{mci::kClose, mci::kWait, deviceId_, 0, {}, 0};
    MciReply reply;
    // Nothing can be reported from a destructor; the process keeps running.
    (void)driver_.SendCommand(request, reply);
}

uint32_t TMediaPlayer::Send(uint32_t command, uint32_t flags, uint32_t item, MciReply& reply) {
    MciRequest request{command, flags, deviceId_, notifyWindow_ ? notifyWindow_() : 0, {}, item};
    return driver_.SendCommand(request, reply);
}

uint32_t TMediaPlayer::Status(uint32_t item, MciReply& reply) {
    return Send(mci::kStatus, kWaitItem, item, reply);
}

void TMediaPlayer::Open() {
    if (opened_) Close();  // goes on whatever the close achieved
    if (deviceId_ != 0) {
        // The close failed, yet MCI has let the device go: winmm unloads it
        // whatever its driver answers, and an id it does not know was gone
        // already. Asking again later could close whichever device has been
        // given that number since, so the id is forgotten here.
        Forget();
    }

    MciRequest request;
    request.command = mci::kOpen;
    request.flags = mci::kWait | mci::kOpenElement;
    request.callback = notifyWindow_ ? notifyWindow_() : 0;
    request.elementName = fileName_;  // the device comes from the extension
    MciReply reply;
    lastError_ = driver_.SendCommand(request, reply);
    if (lastError_ != 0) {
        throw EMCIDeviceError(driver_.ErrorString(lastError_).value_or(kUnknownError));
    }
    opened_ = true;
    deviceId_ = reply.deviceId;

    MciReply length;
    lastError_ = Status(mci::kStatusLength, length);
    clipLengthKnown_ = lastError_ == 0;
    clipLength_ = static_cast<int32_t>(length.value);
    QueryDeviceInfo();
}

// What a button bar would show. Nothing reads the answers, but the device
// sees the same conversation as from any other media player.
void TMediaPlayer::QueryDeviceInfo() {
    MciReply reply;
    for (uint32_t item :
         {mci::kGetDevCapsCanPlay, mci::kGetDevCapsCanRecord, mci::kGetDevCapsCanEject,
          mci::kGetDevCapsHasVideo, mci::kGetDevCapsDeviceType}) {
        lastError_ = Send(mci::kGetDevCaps, mci::kWait | mci::kGetDevCapsItem, item, reply);
    }
    lastError_ = Send(mci::kWhere, 0, 0, reply);
    lastError_ = Status(mci::kStatusMode, reply);
}

void TMediaPlayer::Play() {
    if (!opened_) throw EMCIDeviceError(kNoDevice);
    // Auto-rewind looks at the device's own position: a clip whose data has
    // all been handed over counts as at its end even while it still sounds.
    if (DevicePosition() == Length()) {
        MciReply reply;
        // A failed rewind shows up as a play that ends at once; not recorded.
        (void)Send(mci::kSeek, mci::kWait | mci::kSeekToStart, 0, reply);
    }
    MciReply reply;
    lastError_ = Send(mci::kPlay, mci::kNotify, 0, reply);
}

void TMediaPlayer::Close() {
    if (deviceId_ == 0) return;
    MciReply reply;
    lastError_ = Send(mci::kClose, mci::kWait, 0, reply);
    if (lastError_ != 0) return;  // still holds the device
    Forget();
}

void TMediaPlayer::Forget() {
    opened_ = false;
    deviceId_ = 0;
    clipLengthKnown_ = false;
}

int32_t TMediaPlayer::Length() {
    if (!opened_) throw EMCIDeviceError(kNoDevice);
    MciReply reply;
    lastError_ = Status(mci::kStatusLength, reply);
    return static_cast<int32_t>(reply.value);
}

int32_t TMediaPlayer::DevicePosition() {
    MciReply reply;
    lastError_ = Status(mci::kStatusPosition, reply);
    return static_cast<int32_t>(reply.value);
}

int32_t TMediaPlayer::Position() {
    const int32_t position = DevicePosition();
    if (!opened_ || (clipLengthKnown_ && position < clipLength_)) return position;
    // Wine's position counts the data handed to the audio layer, so it reaches
    // the length while the end of the clip is still to be heard; the mode stays
    // "playing" until the sound has ended. Only asked at the end, so a poll in
    // mid-clip stays two queries.
    MciReply mode;
    const uint32_t error = Status(mci::kStatusMode, mode);  // not the caller's last error
    if (error == 0 && mode.value == mci::kModePlay) {
        return (clipLengthKnown_ ? clipLength_ : position) - 1;
    }
    return position;
}

void TMediaPlayer::OnMciNotify(uint32_t wParam) {
    switch (wParam) {
        case mci::kNotifySuccessful:
            notifyValue_ = TMPNotifyValues::nvSuccessful;
            break;
        case mci::kNotifySuperseded:
            notifyValue_ = TMPNotifyValues::nvSuperseded;
            break;
        case mci::kNotifyAborted:
            notifyValue_ = TMPNotifyValues::nvAborted;
            break;
        case mci::kNotifyFailure:
            notifyValue_ = TMPNotifyValues::nvFailure;
            break;
        default:
            break;  // not a notify code: the last value stands
    }
    if (OnNotify) OnNotify();
}

}  // namespace zv
