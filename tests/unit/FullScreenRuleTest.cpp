#include <gtest/gtest.h>

#include "schedule/FullScreenRule.h"
#include "schedule/Volume.h"

namespace zv {
namespace {

const ScreenRect kMonitor{0, 0, 1920, 1080};

ForegroundFacts Window(ScreenRect window, ScreenRect monitor = kMonitor) {
    ForegroundFacts f;
    f.exists = true;
    f.window = window;
    f.monitor = monitor;
    return f;
}

TEST(FullScreenRule, WhatCountsAsAnotherProgramFullScreen) {
    struct Row {
        const char* what;
        ForegroundFacts facts;
        bool full;
    };
    ForegroundFacts own = Window(kMonitor);
    own.own = true;
    own.notificationState = kQunsBusy;
    ForegroundFacts desktop = Window({-8, -8, 1928, 1088});
    desktop.desktop = true;
    ForegroundFacts minimized = Window(kMonitor);
    minimized.minimized = true;
    ForegroundFacts noWindow;
    ForegroundFacts game = Window({0, 0, 800, 600});
    game.notificationState = kQunsRunningD3dFullScreen;
    ForegroundFacts slides = Window({0, 0, 800, 600});
    slides.notificationState = kQunsPresentationMode;
    ForegroundFacts accepts = Window({0, 0, 800, 600});
    accepts.notificationState = 5;  // QUNS_ACCEPTS_NOTIFICATIONS
    // Windows' own quiet time holds whatever is in front, the clock included.
    ForegroundFacts quiet = own;
    quiet.notificationState = kQunsQuietTime;
    ForegroundFacts noMonitor = Window({0, 0, 800, 600}, ScreenRect{});

    const Row rows[] = {
        {"a window covering its monitor", Window(kMonitor), true},
        {"bigger than its monitor", Window({-8, -8, 1928, 1088}), true},
        {"on the second monitor", Window({1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}), true},
        {"maximized, the taskbar free", Window({0, 0, 1920, 1040}), false},
        {"one pixel short", Window({1, 0, 1920, 1080}), false},
        {"the clock's own window, though the shell says busy", own, false},
        {"the desktop", desktop, false},
        {"minimized", minimized, false},
        {"no foreground window", noWindow, false},
        {"the shell: a Direct3D game", game, true},
        {"the shell: presentation mode", slides, true},
        {"the shell: nothing special", accepts, false},
        {"the shell: quiet time, the clock in front", quiet, true},
        {"no monitor known", noMonitor, false},
    };
    for (const Row& row : rows) EXPECT_EQ(OtherProgramFullScreen(row.facts), row.full) << row.what;
}

TEST(Volume, PercentToWaveOutLevel) {
    const std::pair<int, uint32_t> rows[] = {
        {100, 0xFFFFFFFFu}, {50, 0x80008000u},  {0, 0u}, {1, 0x028F028Fu}, {25, 0x40004000u},
        {-5, 0u},           {250, 0xFFFFFFFFu},
    };
    for (const auto& [percent, level] : rows) EXPECT_EQ(WaveOutVolume(percent), level) << percent;
}

}  // namespace
}  // namespace zv
