#include "adapters/WinMciDriver.h"

#include <mmsystem.h>

#include <vector>

#include "win32/SystemFunctions.h"
#include "win32/Utf16.h"

namespace zv {

// The logic writes its own numbers; they must be the platform's.
static_assert(mci::kOpen == MCI_OPEN && mci::kClose == MCI_CLOSE && mci::kPlay == MCI_PLAY &&
              mci::kSeek == MCI_SEEK && mci::kStatus == MCI_STATUS &&
              mci::kGetDevCaps == MCI_GETDEVCAPS && mci::kWhere == MCI_WHERE);
static_assert(mci::kNotify == MCI_NOTIFY && mci::kWait == MCI_WAIT &&
              mci::kOpenElement == MCI_OPEN_ELEMENT && mci::kStatusItem == MCI_STATUS_ITEM &&
              mci::kSeekToStart == MCI_SEEK_TO_START &&
              mci::kGetDevCapsItem == MCI_GETDEVCAPS_ITEM);
static_assert(mci::kStatusLength == MCI_STATUS_LENGTH &&
              mci::kStatusPosition == MCI_STATUS_POSITION && mci::kStatusMode == MCI_STATUS_MODE);
static_assert(mci::kGetDevCapsCanRecord == MCI_GETDEVCAPS_CAN_RECORD &&
              mci::kGetDevCapsHasVideo == MCI_GETDEVCAPS_HAS_VIDEO &&
              mci::kGetDevCapsDeviceType == MCI_GETDEVCAPS_DEVICE_TYPE &&
              mci::kGetDevCapsCanEject == MCI_GETDEVCAPS_CAN_EJECT &&
              mci::kGetDevCapsCanPlay == MCI_GETDEVCAPS_CAN_PLAY);
static_assert(mci::kModeStop == MCI_MODE_STOP && mci::kModePlay == MCI_MODE_PLAY);
static_assert(mci::kNotifySuccessful == MCI_NOTIFY_SUCCESSFUL &&
              mci::kNotifySuperseded == MCI_NOTIFY_SUPERSEDED &&
              mci::kNotifyAborted == MCI_NOTIFY_ABORTED &&
              mci::kNotifyFailure == MCI_NOTIFY_FAILURE && mci::kMmMciNotify == MM_MCINOTIFY);

TWinMciDriver::TWinMciDriver() {
    if (Loaded()) waveDriver_.Load(L"mciwave.dll");
}

bool TWinMciDriver::Loaded() const {
    return win::SystemFunction<win::kMciSendCommandW>() &&
           win::SystemFunction<win::kMciGetErrorStringW>();
}

uint32_t TWinMciDriver::SendCommand(const MciRequest& request, MciReply& reply) {
    if (!Loaded()) return MCIERR_CANNOT_LOAD_DRIVER;
    const UINT id = request.deviceId;
    const UINT cmd = request.command;
    const DWORD flags = request.flags;
    const DWORD_PTR callback = request.callback;
    auto send = [&](auto& block) {
        return win::SystemFunction<win::kMciSendCommandW>()(id, cmd, flags,
                                                            reinterpret_cast<DWORD_PTR>(&block));
    };

    switch (request.command) {
        case mci::kOpen: {
            const std::wstring element = win::Widen(request.elementName);
            MCI_OPEN_PARMSW block{};
            block.dwCallback = callback;
            block.lpstrDeviceType = L"";  // not read: MCI_OPEN_TYPE is not set
            block.lpstrElementName = element.c_str();
            const DWORD result = send(block);
            reply.deviceId = static_cast<uint16_t>(block.wDeviceID);
            return result;
        }
        case mci::kPlay: {
            MCI_PLAY_PARMS block{};
            block.dwCallback = callback;
            return send(block);
        }
        case mci::kSeek: {
            MCI_SEEK_PARMS block{};
            block.dwCallback = callback;
            return send(block);
        }
        case mci::kStatus: {
            MCI_STATUS_PARMS block{};
            block.dwCallback = callback;
            block.dwItem = request.item;
            const DWORD result = send(block);
            reply.value = static_cast<uint32_t>(block.dwReturn);
            return result;
        }
        case mci::kGetDevCaps: {
            MCI_GETDEVCAPS_PARMS block{};
            block.dwCallback = callback;
            block.dwItem = request.item;
            const DWORD result = send(block);
            reply.value = block.dwReturn;
            return result;
        }
        case mci::kWhere: {
            MCI_ANIM_RECT_PARMS block{};
            block.dwCallback = callback;
            return send(block);
        }
        default: {  // MCI_CLOSE and any other command without data
            MCI_GENERIC_PARMS block{};
            block.dwCallback = callback;
            return send(block);
        }
    }
}

std::optional<std::string> TWinMciDriver::ErrorString(uint32_t code) {
    if (!Loaded()) {
        return "Не удалось загрузить звуковую библиотеку Windows winmm.dll (ошибка " +
               std::to_string(win::SystemDllError(win::TSystemDll::Winmm)) + ")";
    }
    std::vector<wchar_t> text(4096, L'\0');
    const auto getErrorString = win::SystemFunction<win::kMciGetErrorStringW>();
    if (!getErrorString(code, text.data(), static_cast<UINT>(text.size()))) return std::nullopt;
    return win::Narrow(text.data());
}

}  // namespace zv
