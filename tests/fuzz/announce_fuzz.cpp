// The input is announce.cfg as found on disk. Whatever it holds, the settings
// read are ones the program can use, they write back and read again the
// same, the messages are a short UTF-8 box, and the schedule over them fires
// each boundary at most once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "schedule/AnnounceConfig.h"
#include "schedule/Schedule.h"
#include "tests/fuzz/FuzzCheck.h"
#include "voices/VoiceList.h"

namespace zv {
namespace {

bool Utf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
        } else if (c >= 0x80) {
            return false;
        }
        if (i + n >= s.size()) return false;
        for (size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n + 1;
    }
    return true;
}

void CheckUsable(const AnnounceSettings& s) {
    ZV_CHECK(s.every == 0 || s.every == 1 || s.every == 5 || s.every == 10 || s.every == 15 ||
             s.every == 30 || s.every == 60);
    ZV_CHECK(s.quietFrom >= 0 && s.quietFrom <= 23 && s.quietTo >= 0 && s.quietTo <= 23);
    ZV_CHECK(s.chime >= Chime::None && s.chime <= Chime::Cuckoo);
    ZV_CHECK(s.volume >= 0 && s.volume <= 100);
    ZV_CHECK(s.voice.empty() || IsSafeVoiceName(s.voice));
}

struct World : IScheduleWorld {
    bool ChainPlaying() override { return false; }
    bool OtherFullScreen() override { return false; }
    bool MicrophoneBusy() override { return false; }
};

void Fuzz(std::string_view raw) {
    const AnnounceRead read = ParseAnnounceConfig(std::string(raw));
    CheckUsable(read.settings);
    ZV_CHECK(read.errors.size() <= AnnounceRead::kMaxListed);
    ZV_CHECK(read.errors.size() == std::min(read.errorCount, AnnounceRead::kMaxListed));
    const std::string box = AnnounceErrorBoxText(read);
    ZV_CHECK(Utf8(box));
    ZV_CHECK(box.size() <= (AnnounceRead::kMaxListed + 1) * 200);
    ZV_CHECK(box.empty() == (read.errorCount == 0));

    const std::string written = FormatAnnounceConfig(read.settings);
    const AnnounceRead again = ParseAnnounceConfig(written);
    ZV_CHECK(again.errorCount == 0);
    ZV_CHECK(again.settings == read.settings);

    // A stretch of ticks read from the input's first bytes: every boundary
    // fires at most once, and only on a multiple of Every.
    TSchedule schedule;
    World world;
    int last = -1;
    uint32_t ms = 0;
    for (size_t i = 0; i + 1 < raw.size() && i < 64; i += 2) {
        ms = (ms + static_cast<unsigned char>(raw[i]) * 37 +
              static_cast<unsigned char>(raw[i + 1])) %
             (24 * 3600 * 1000);
        const TimeFields t{static_cast<uint16_t>(ms / 3600000),
                           static_cast<uint16_t>(ms / 60000 % 60),
                           static_cast<uint16_t>(ms / 1000 % 60), static_cast<uint16_t>(ms % 1000)};
        if (const auto a = schedule.Tick(t, read.settings, world)) {
            const int minute = a->hour * 60 + a->minute;
            ZV_CHECK(read.settings.every > 0 && minute % read.settings.every == 0);
            ZV_CHECK(minute != last);
            last = minute;
            ZV_CHECK(!InQuietHours(read.settings, a->hour));
        }
    }
}

}  // namespace
}  // namespace zv

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zv::Fuzz(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
