// The real main window ticked many times in a row: a tick must leave neither
// memory nor GDI objects behind, or a clock left running for weeks would run
// the process out of them.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "about/Form2_win.h"
#include "app/Application_win.h"
#include "app/Form1_win.h"
#include "settings/Form3_win.h"
#include "tests/win/ProgramFixture.h"
#include "tests/win/WinTestSupport.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"

namespace zv::win {
namespace {

void Pump() {
    zv::win::test::PumpMessages();
}

// GetGuiResources is a stub returning 0 under Wine. Wine's GDI handles are
// an index into a per-process table in the low word and a generation in the
// high word, and GetObjectType accepts a handle whose high word is 0 for any
// live entry: so trying every index with a zero high word counts the live
// objects. On Windows such handles are refused, and GetGuiResources works.
DWORD GdiObjectCount() {
    DWORD n = 0;
    for (uintptr_t i = 1; i <= 0xFFFF; ++i) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++n;
    }
    return n != 0 ? n : GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

// Committed private memory. Wine reports PrivateUsage as 0, so the
// address space is walked instead, which counts the same on Windows.
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                             sizeof pmc) &&
        pmc.PrivateUsage != 0)
        return pmc.PrivateUsage;
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    for (const char* p = nullptr; VirtualQuery(p, &mbi, sizeof mbi) == sizeof mbi;
         p = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
    }
    return total;
}

long FromEnvironment(const char* name, long fallback) {
    char buffer[32] = {};
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    long v = n > 0 && n < sizeof buffer ? std::strtol(buffer, nullptr, 10) : 0;
    return v > 0 ? v : fallback;
}
long Ticks() {
    return FromEnvironment("ZV_SOAK_TICKS", 100000);
}

using test::Program;

class FaceSoakWinTest : public test::ProgramFolderTest {};

TEST_F(FaceSoakWinTest, TicksLeaveNoMemoryOrGdiObjectsBehind) {
    // The counting method itself: one brush more is one object more.
    const DWORD base = GdiObjectCount();
    HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_EQ(GdiObjectCount(), base + 1) << "GDI objects cannot be counted here";
    DeleteObject(probe);
    ASSERT_EQ(GdiObjectCount(), base);

    const long ticks = Ticks();
    {
        Program program;
        // The start-up work, then a few hundred ordinary ticks, so that what
        // the first frames fill once (glyph caches, the heap's free lists) is
        // in "before".
        TForm1& form1 = program.form1;
        for (int i = 0; i < 300; ++i) form1.Timer1Timer();
        Pump();
        ASSERT_EQ(form1.StartupPhase(), 0) << "the start-up work did not run";

        const SIZE_T memBefore = PrivateBytes();
        const DWORD gdiBefore = GdiObjectCount();
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&t0);
        for (long i = 1; i <= ticks; ++i) {
            form1.Timer1Timer();
            if (i % 256 == 0) Pump();
        }
        Pump();
        QueryPerformanceCounter(&t1);
        const SIZE_T memAfter = PrivateBytes();
        const DWORD gdiAfter = GdiObjectCount();

        const double us = 1e6 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                          static_cast<double>(freq.QuadPart) / static_cast<double>(ticks);
        std::printf(
            "[  SOAK    ] %ld ticks, %.1f us per tick; private bytes %zu -> %zu (%+lld); "
            "GDI objects %lu -> %lu\n",
            ticks, us, static_cast<size_t>(memBefore), static_cast<size_t>(memAfter),
            static_cast<long long>(memAfter) - static_cast<long long>(memBefore),
            static_cast<unsigned long>(gdiBefore), static_cast<unsigned long>(gdiAfter));
        RecordProperty("us_per_tick", std::to_string(us));
        RecordProperty("private_before", std::to_string(memBefore));
        RecordProperty("private_after", std::to_string(memAfter));
        RecordProperty("gdi_before", std::to_string(gdiBefore));
        RecordProperty("gdi_after", std::to_string(gdiAfter));

        EXPECT_EQ(gdiAfter, gdiBefore);
        EXPECT_LE(memAfter, memBefore + (1u << 20));
        EXPECT_FALSE(form1.Face().pixels.empty());
    }
    Pump();
    EXPECT_TRUE(test::ErrorsShown().empty()) << "error box: " << test::ErrorsShown().front();
}

// Every recording as a 30 ms clip, so that a chain takes a fraction of a
// second; each announcement still opens, plays and closes its devices.
TEST_F(FaceSoakWinTest, AnnouncementsLeaveNoMemoryOrGdiObjectsBehind) {
    ASSERT_EQ(test::WriteStandardVoiceTones(30), "");
    const long count = FromEnvironment("ZV_SOAK_ANNOUNCEMENTS", 200);
    // Returns the chain's length in milliseconds, or -1 if it did not end.
    auto announce = [](TForm1& form1) {
        const DWORD t0 = GetTickCount();
        form1.Button1Click();
        while (form1.Announcer().Polling()) {
            if (GetTickCount() - t0 > 15000) return -1L;
            Pump();
            form1.Timer2Timer();
            Sleep(2);
        }
        return static_cast<long>(GetTickCount() - t0);
    };
    {
        Program program;
        TForm1& form1 = program.form1;
        form1.Timer1Timer();
        Pump();
        ASSERT_EQ(form1.StartupPhase(), 0) << "the start-up work did not run";
        // The first chains load the sound system's own buffers and threads.
        for (int i = 0; i < 5; ++i) ASSERT_GE(announce(form1), 0) << "warm-up chain " << i;

        const SIZE_T memBefore = PrivateBytes();
        const DWORD gdiBefore = GdiObjectCount();
        long longest = 0, total = 0;
        for (long i = 0; i < count; ++i) {
            const long ms = announce(form1);
            ASSERT_GE(ms, 0) << "announcement " << i << " did not end within 15 s";
            longest = std::max(longest, ms);
            total += ms;
            form1.Timer1Timer();
        }
        Pump();
        const SIZE_T memAfter = PrivateBytes();
        const DWORD gdiAfter = GdiObjectCount();
        std::printf(
            "[  SOAK    ] %ld announcements, %ld ms each on average, %ld ms at most; private bytes "
            "%zu -> %zu (%+lld); GDI objects %lu -> %lu\n",
            count, total / count, longest, static_cast<size_t>(memBefore),
            static_cast<size_t>(memAfter),
            static_cast<long long>(memAfter) - static_cast<long long>(memBefore),
            static_cast<unsigned long>(gdiBefore), static_cast<unsigned long>(gdiAfter));
        EXPECT_EQ(gdiAfter, gdiBefore);
        EXPECT_LE(memAfter, memBefore + (1u << 20));
    }
    Pump();
    EXPECT_TRUE(test::ErrorsShown().empty()) << "error box: " << test::ErrorsShown().front();
}

}  // namespace
}  // namespace zv::win
