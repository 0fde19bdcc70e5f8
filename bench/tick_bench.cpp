// The platform-free work of the clock's face, natively, at 96 and at 192
// DPI: one tick (the settings text copied, the read-out made, the hands
// moved one second and the face renewed where they moved, and that much
// copied into the window's frame) against composing the whole face once and
// copying all of it. Prints "DPI tick_us whole_us" lines, the median of 15
// rounds each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"
#include "app/Layout.h"
#include "core/TimeFields.h"

namespace {

using namespace zv;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void NextSecond(TimeFields& t) {
    if (++t.second < 60) return;
    t.second = 0;
    if (++t.minute < 60) return;
    t.minute = 0;
    t.hour = static_cast<uint16_t>((t.hour + 1) % 24);
}

}  // namespace

int main() {
    const std::string settings = "Hotkey=1\r\nKey=1\r\nRun=1\r\n";
    size_t sink = 0;
    for (int dpi : {96, 192}) {
        // The face's area at that DPI: the skin's control and the sheet's.
        const FormLayout l = ApplyLayout(ScaledHalfEven(806, dpi), ScaledHalfEven(640, dpi), dpi);
        const int w = l.image1.width, h = l.image2.top + l.image2.height - l.image1.top;
        Image base(w, h, Rgb(128, 0, 0));
        CopyKeyed(base, Image(ScaledHalfEven(800, dpi), ScaledHalfEven(600, dpi), Rgb(90, 96, 110)),
                  0, 0);
        const HandsGeometry hands =
            HandsAt(Point{l.hub.x - l.image1.left, l.hub.y - l.image1.top}, dpi);
        Image frame(w, h, 0);  // the window's pixels, which a paint copies the face into
        TFaceComposer face;
        TimeFields t{10, 8, 0, 0};

        std::vector<double> ticks, wholes;
        for (int round = 0; round < 15; ++round) {
            constexpr int kWholes = 20;
            auto t0 = Clock::now();
            for (int i = 0; i < kWholes; ++i) {
                face.Reset(base, hands);
                face.Update(TipsAt(t, dpi));
                frame.pixels = face.Face().pixels;
                sink += frame.pixels[static_cast<size_t>(i)];
            }
            std::chrono::duration<double, std::micro> d = Clock::now() - t0;
            wholes.push_back(d.count() / kWholes);

            constexpr int kTicks = 600;  // ten minutes: every hand moves
            t0 = Clock::now();
            for (int i = 0; i < kTicks; ++i) {
                std::string text = settings;
                NextSecond(t);
                const ReadOut r = MakeReadOut(t);
                const DirtyRects dirty = face.Update(TipsAt(t, dpi));
                for (int k = 0; k < dirty.count; ++k)
                    CopyRect(frame, face.Face(), dirty.rects[static_cast<size_t>(k)]);
                sink += text.size() + r.seconds.size() + static_cast<size_t>(dirty.count);
            }
            d = Clock::now() - t0;
            ticks.push_back(d.count() / kTicks);
        }
        std::printf("%d %.1f %.1f\n", dpi, Median(ticks), Median(wholes));
    }
    return sink == 0 ? 1 : 0;
}
