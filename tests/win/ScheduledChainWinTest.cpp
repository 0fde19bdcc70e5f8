// The scheduled chain on the real MCI: the cuckoo is played again by
// rewinding the clip already open, and each call must still be heard whole
// before the next, or twelve o'clock would be cut to a single call.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "adapters/WinMciDriver.h"
#include "schedule/ScheduledChain.h"
#include "speech/MediaPlayer.h"
#include "tests/win/WinTestSupport.h"

namespace zv {
namespace {

using win::test::PumpMessages;
using win::test::WriteTone;

// The real player, noting when each file is opened and each play begins.
class TTimedPlayer final : public IClipPlayer {
  public:
    explicit TTimedPlayer(TMediaPlayer& player) : player_(player) {}
    void SetFileName(const std::string& name) override {
        name_ = name;
        player_.SetFileName(name);
    }
    void Open() override { player_.Open(); }
    void Play() override {
        plays.push_back({name_, GetTickCount()});
        player_.Play();
    }
    void Close() override { player_.Close(); }
    int32_t Length() override { return player_.Length(); }
    int32_t Position() override { return player_.Position(); }

    struct Play_ {
        std::string file;
        DWORD at;
    };
    std::vector<Play_> plays;

  private:
    TMediaPlayer& player_;
    std::string name_;
};

struct TTimer final : IPollTimer {
    void SetEnabled(bool on) override { enabled = on; }
    bool enabled = false;
};

TEST(ScheduledChainWin, EveryCuckooCallIsPlayedToItsEnd) {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string dir = std::string(temp) + "zv_chain_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    const std::vector<std::string> files = {"kuku.wav", "3.wav", "chasa.wav", "0.wav", "minut.wav"};
    for (const std::string& f : files) ASSERT_TRUE(WriteTone(f, f == "kuku.wav" ? 500 : 200));

    {
        TWinMciDriver driver;
        TMediaPlayer player(driver, [] { return uintptr_t{0}; });
        TTimedPlayer timed(player);
        TTimer timer;
        TScheduledChain chain(timed, timer);
        chain.Start({3, 0, std::vector<std::string>(3, "kuku.wav")});
        const DWORD t0 = GetTickCount();
        while (chain.Active() && GetTickCount() - t0 < 15000) {
            PumpMessages();
            Sleep(10);
            chain.Poll();
        }
        EXPECT_FALSE(chain.Active());

        std::vector<std::string> order;
        for (const auto& p : timed.plays) order.push_back(p.file);
        EXPECT_EQ(order, (std::vector<std::string>{"kuku.wav", "kuku.wav", "kuku.wav", "3.wav",
                                                   "chasa.wav", "0.wav", "minut.wav"}));
        ASSERT_GE(timed.plays.size(), 4u);
        for (size_t i = 1; i < 4; ++i) {
            EXPECT_GE(timed.plays[i].at - timed.plays[i - 1].at, 480u) << "call " << i;
        }
    }
    for (const std::string& f : files) DeleteFileA(f.c_str());
    SetCurrentDirectoryA(old);
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace zv
