#pragma once
// The clip player: one MCI device at a time, opened by element name, played in
// the background and polled for its end. Owns the device: destruction closes it.
#include <cstdint>
#include <functional>
#include <string>

#include "speech/ClipPlayer.h"
#include "speech/MciDriver.h"

namespace zv {

enum class TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

class TMediaPlayer final : public IClipPlayer {
  public:
    // notifyWindow returns the window that receives kMmMciNotify; the caller
    // creates it on the first call.
    TMediaPlayer(IMciDriver& driver, std::function<uintptr_t()> notifyWindow);
    ~TMediaPlayer() override;
    TMediaPlayer(const TMediaPlayer&) = delete;
    TMediaPlayer& operator=(const TMediaPlayer&) = delete;

    void SetFileName(const std::string& name) override { fileName_ = name; }
    void Open() override;
    void Play() override;
    void Close() override;
    int32_t Length() override;
    int32_t Position() override;

    // kMmMciNotify's wParam, forwarded by the notification window.
    void OnMciNotify(uint32_t wParam);
    std::function<void()> OnNotify;

    const std::string& FileName() const { return fileName_; }
    bool Opened() const { return opened_; }
    uint16_t DeviceId() const { return deviceId_; }
    uint32_t LastError() const { return lastError_; }
    TMPNotifyValues NotifyValue() const { return notifyValue_; }

  private:
    uint32_t Send(uint32_t command, uint32_t flags, uint32_t item, MciReply& reply);
    uint32_t Status(uint32_t item, MciReply& reply);
    int32_t DevicePosition();
    void QueryDeviceInfo();
    void Forget();  // holds no device from now on

    IMciDriver& driver_;
    std::function<uintptr_t()> notifyWindow_;
    std::string fileName_;
    bool opened_ = false;
    uint16_t deviceId_ = 0;
    uint32_t lastError_ = 0;
    TMPNotifyValues notifyValue_ = TMPNotifyValues::nvSuccessful;
    // The open clip's length as Open read it: Position compares with it to
    // decide whether the device must be asked if the sound is still playing.
    int32_t clipLength_ = 0;
    bool clipLengthKnown_ = false;
};

}  // namespace zv
