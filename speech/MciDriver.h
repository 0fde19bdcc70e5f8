#pragma once
// The MCI traffic of the clip player, as a small interface: the logic builds
// one request per command, the Windows side turns it into the matching
// MCI_*_PARMS block (a local of the call) and sends it.
#include <cstdint>
#include <optional>
#include <string>

namespace zv {

// Named after the Windows macros (MCI_OPEN is kOpen and so on), which would
// clash with these names wherever <mmsystem.h> is included too.
namespace mci {

// Commands.
constexpr uint32_t kOpen = 0x0803;
constexpr uint32_t kClose = 0x0804;
constexpr uint32_t kPlay = 0x0806;
constexpr uint32_t kSeek = 0x0807;
constexpr uint32_t kGetDevCaps = 0x080B;
constexpr uint32_t kStatus = 0x0814;
constexpr uint32_t kWhere = 0x0843;

// Flags.
constexpr uint32_t kNotify = 0x1;
constexpr uint32_t kWait = 0x2;
constexpr uint32_t kOpenElement = 0x200;
constexpr uint32_t kStatusItem = 0x100;
constexpr uint32_t kSeekToStart = 0x100;
constexpr uint32_t kGetDevCapsItem = 0x100;

// MCI_STATUS items.
constexpr uint32_t kStatusLength = 1;
constexpr uint32_t kStatusPosition = 2;
constexpr uint32_t kStatusMode = 4;

// MCI_GETDEVCAPS items.
constexpr uint32_t kGetDevCapsCanRecord = 1;
constexpr uint32_t kGetDevCapsHasVideo = 3;
constexpr uint32_t kGetDevCapsDeviceType = 4;
constexpr uint32_t kGetDevCapsCanEject = 7;
constexpr uint32_t kGetDevCapsCanPlay = 8;

// Values of MCI_STATUS_MODE.
constexpr uint32_t kModeStop = 525;
constexpr uint32_t kModePlay = 526;

// wParam of MM_MCINOTIFY.
constexpr uint32_t kNotifySuccessful = 1;
constexpr uint32_t kNotifySuperseded = 2;
constexpr uint32_t kNotifyAborted = 4;
constexpr uint32_t kNotifyFailure = 8;

constexpr uint32_t kMmMciNotify = 0x03B9;  // MM_MCINOTIFY

}  // namespace mci

// What one command carries. Fields a command does not use stay zero.
struct MciRequest {
    uint32_t command = 0;
    uint32_t flags = 0;
    uint16_t deviceId = 0;
    uintptr_t callback = 0;   // window that gets kMmMciNotify (dwCallback)
    std::string elementName;  // kOpen: lpstrElementName
    uint32_t item = 0;        // kStatus, kGetDevCaps: dwItem
};

// What a command hands back besides its result code.
struct MciReply {
    uint16_t deviceId = 0;  // kOpen: wDeviceID
    uint32_t value = 0;     // kStatus, kGetDevCaps: dwReturn
};

class IMciDriver {
  public:
    virtual ~IMciDriver() = default;

    // mciSendCommandA: 0 on success, else the MCI error code.
    virtual uint32_t SendCommand(const MciRequest& request, MciReply& reply) = 0;

    // mciGetErrorStringA; nullopt when the lookup itself fails.
    virtual std::optional<std::string> ErrorString(uint32_t code) = 0;
};

}  // namespace zv
