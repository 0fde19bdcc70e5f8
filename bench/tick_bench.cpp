// The platform-free work of one clock tick, natively: the settings text
// copied, the read-out made, the hands drawn on a fresh sheet and the sheet
// laid over the face. Prints microseconds per tick (median of 15 rounds).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"
#include "core/TimeFields.h"

int main() {
    using namespace zv;
    const std::string settings = "Hotkey=1\r\nKey=1\r\nRun=1\r\n";
    const Image blank = MakeBlankSheet();
    Image sheet = blank;
    Image base(800, 600, Rgb(7, 7, 7));
    Image frame = base;
    TimeFields t{};
    std::vector<double> rounds;
    size_t sink = 0;
    for (int round = 0; round < 15; ++round) {
        constexpr int kTicks = 400;
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kTicks; ++i) {
            std::string text = settings;
            t.second = static_cast<uint16_t>((t.second + 1) % 60);
            if (t.second == 0) t.minute = static_cast<uint16_t>((t.minute + 1) % 60);
            const ReadOut r = MakeReadOut(t);
            sheet.pixels = blank.pixels;
            DrawHands(sheet, t);
            frame.pixels = base.pixels;
            CopyKeyed(frame, sheet, 135, 8);
            sink += text.size() + r.seconds.size() + frame.pixels[300 * 800 + 420];
        }
        const std::chrono::duration<double, std::micro> d = std::chrono::steady_clock::now() - t0;
        rounds.push_back(d.count() / kTicks);
    }
    std::sort(rounds.begin(), rounds.end());
    std::printf("%.0f\n", rounds[rounds.size() / 2]);
    return sink == 0 ? 1 : 0;
}
