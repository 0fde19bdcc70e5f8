#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/Errors.h"
#include "speech/MediaPlayer.h"

namespace zv {
namespace {

using namespace mci;

constexpr uintptr_t kWindow = 0x1234;

// Records every command and answers like a waveaudio device: status values
// and result codes are set per test.
class FakeMciDriver : public IMciDriver {
  public:
    uint32_t SendCommand(const MciRequest& request, MciReply& reply) override {
        calls.push_back(request);
        if (request.command == kOpen) reply.deviceId = nextDeviceId;
        if (request.command == kStatus) {
            if (request.item == kStatusLength) reply.value = length;
            if (request.item == kStatusPosition) reply.value = position;
            if (request.item == kStatusMode) reply.value = mode;
        }
        auto it = fail.find({request.command, request.item});
        return it == fail.end() ? 0 : it->second;
    }
    std::optional<std::string> ErrorString(uint32_t code) override {
        lookedUp.push_back(code);
        return errorText;
    }

    // (command, item) -> error code
    std::map<std::pair<uint32_t, uint32_t>, uint32_t> fail;
    std::vector<MciRequest> calls;
    std::vector<uint32_t> lookedUp;
    std::optional<std::string> errorText = "The specified file was not found.";
    uint16_t nextDeviceId = 7;
    uint32_t length = 500, position = 0, mode = kModeStop;
};

// (command, flags, device id, item): what a test compares.
using Traffic = std::vector<std::tuple<uint32_t, uint32_t, uint16_t, uint32_t>>;

Traffic TrafficOf(const std::vector<MciRequest>& calls) {
    Traffic t;
    for (const auto& c : calls) t.emplace_back(c.command, c.flags, c.deviceId, c.item);
    return t;
}

class MediaPlayerTest : public testing::Test {
  protected:
    FakeMciDriver mci;
    TMediaPlayer player{mci, [] { return kWindow; }};

    void OpenClip(const std::string& name = "0.wav") {
        player.SetFileName(name);
        player.Open();
        mci.calls.clear();
    }
};

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EMCIDeviceError& e) {
        return e.what();
    }
    return "<nothing raised>";
}

TEST_F(MediaPlayerTest, SettingTheFileNameSendsNothing) {
    player.SetFileName("chas.wav");
    EXPECT_EQ(player.FileName(), "chas.wav");
    EXPECT_TRUE(mci.calls.empty());
    EXPECT_FALSE(player.Opened());
}

TEST_F(MediaPlayerTest, OpenSendsOpenThenTheInformationQueries) {
    player.SetFileName("20.wav");
    player.Open();

    const uint32_t wi = kWait | kStatusItem;
    Traffic expected = {
        {kOpen, 0x202, 0, 0},
        {kStatus, wi, 7, kStatusLength},
        {kGetDevCaps, 0x102, 7, kGetDevCapsCanPlay},
        {kGetDevCaps, 0x102, 7, kGetDevCapsCanRecord},
        {kGetDevCaps, 0x102, 7, kGetDevCapsCanEject},
        {kGetDevCaps, 0x102, 7, kGetDevCapsHasVideo},
        {kGetDevCaps, 0x102, 7, kGetDevCapsDeviceType},
        {kWhere, 0, 7, 0},
        {kStatus, wi, 7, kStatusMode},
    };
    EXPECT_EQ(TrafficOf(mci.calls), expected);
    EXPECT_EQ(mci.calls[0].elementName, "20.wav");
    EXPECT_EQ(mci.calls[0].callback, kWindow);
    EXPECT_EQ(mci.calls[7].flags & kWait, 0u);
    EXPECT_TRUE(player.Opened());
    EXPECT_EQ(player.DeviceId(), 7);
}

TEST_F(MediaPlayerTest, TheQueriesAfterOpenCannotMakeItFail) {
    mci.fail[{kWhere, 0}] = 274;  // unsupported by waveaudio
    mci.fail[{kGetDevCaps, kGetDevCapsHasVideo}] = 274;
    player.SetFileName("1.wav");
    EXPECT_NO_THROW(player.Open());
    EXPECT_TRUE(player.Opened());
}

TEST_F(MediaPlayerTest, OpenWhileOpenClosesThePreviousDeviceFirst) {
    OpenClip("0.wav");
    mci.nextDeviceId = 9;
    player.SetFileName("chasov.wav");
    player.Open();

    ASSERT_GE(mci.calls.size(), 2u);
    EXPECT_EQ(TrafficOf({mci.calls[0], mci.calls[1]}),
              (Traffic{{kClose, kWait, 7, 0}, {kOpen, 0x202, 0, 0}}));
    EXPECT_EQ(mci.calls[0].callback, kWindow);
    EXPECT_EQ(player.DeviceId(), 9);
}

TEST_F(MediaPlayerTest, OpenGoesOnWhenClosingThePreviousDeviceFailsAndForgetsThatDevice) {
    OpenClip();
    mci.fail[{kClose, 0}] = 263;
    mci.nextDeviceId = 9;
    player.SetFileName("1.wav");
    player.Open();
    EXPECT_EQ(mci.calls[1].command, kOpen);
    EXPECT_EQ(player.DeviceId(), 9);
    // MCI has let device 9 go, closed or not: a failed open then leaves nothing held.
    mci.fail[{kOpen, 0}] = 275;
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    EXPECT_FALSE(player.Opened());
    EXPECT_EQ(player.DeviceId(), 0);
}

TEST_F(MediaPlayerTest, FailedOpenRaisesThePlatformTextAndChangesNothingElse) {
    struct Case {
        std::optional<std::string> platformText;
        std::string message;
    } cases[] = {
        {"The specified file was not found.", "The specified file was not found."},
        {std::nullopt, "Unknown error code"},
    };
    for (const auto& c : cases) {
        FakeMciDriver driver;
        driver.errorText = c.platformText;
        driver.fail[{kOpen, 0}] = 275;
        TMediaPlayer fresh(driver, [] { return kWindow; });
        fresh.SetFileName("missing.wav");
        EXPECT_EQ(MessageOf([&] { fresh.Open(); }), c.message);
        EXPECT_EQ(driver.lookedUp, std::vector<uint32_t>{275});
        EXPECT_EQ(driver.calls.size(), 1u) << "no queries after a failed open";
        EXPECT_FALSE(fresh.Opened());
        EXPECT_EQ(fresh.DeviceId(), 0);
        EXPECT_EQ(fresh.LastError(), 275u);
    }
}

TEST_F(MediaPlayerTest, FailedOpenAfterAClipLeavesNothingOpen) {
    OpenClip();
    mci.fail[{kOpen, 0}] = 275;
    player.SetFileName("missing.wav");
    EXPECT_THROW(player.Open(), EMCIDeviceError);
    EXPECT_EQ(mci.calls[0].command, kClose);
    EXPECT_FALSE(player.Opened());
    EXPECT_EQ(MessageOf([&] { player.Length(); }), "No MCI device open");
}

TEST_F(MediaPlayerTest, WithoutADeviceLengthAndPlayRaiseAndSendNothing) {
    EXPECT_EQ(MessageOf([&] { player.Length(); }), "No MCI device open");
    EXPECT_EQ(MessageOf([&] { player.Play(); }), "No MCI device open");
    EXPECT_TRUE(mci.calls.empty());
}

TEST_F(MediaPlayerTest, PositionWithoutADeviceAsksDeviceZero) {
    mci.position = 0;
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(TrafficOf(mci.calls), (Traffic{{kStatus, kWait | kStatusItem, 0, kStatusPosition}}));
}

TEST_F(MediaPlayerTest, PlayRewindsOnlyAClipThatStandsAtItsEnd) {
    const uint32_t wi = kWait | kStatusItem;
    struct Case {
        const char* what;
        uint32_t position, length;
        bool rewinds;
    } cases[] = {
        {"fresh clip", 0, 500, false},
        {"mid-clip", 250, 500, false},
        {"played to its end", 500, 500, true},
        {"empty clip", 0, 0, true},
    };
    for (const auto& c : cases) {
        OpenClip();
        mci.position = c.position;
        mci.length = c.length;
        mci.mode = kModePlay;  // auto-rewind must not wait for the sound
        player.Play();
        Traffic expected = {{kStatus, wi, 7, kStatusPosition}, {kStatus, wi, 7, kStatusLength}};
        if (c.rewinds) expected.emplace_back(kSeek, kWait | kSeekToStart, 7, 0);
        expected.emplace_back(kPlay, kNotify, 7, 0);
        EXPECT_EQ(TrafficOf(mci.calls), expected) << c.what;
        EXPECT_EQ(mci.calls.back().callback, kWindow);
        mci.mode = kModeStop;
    }
}

TEST_F(MediaPlayerTest, FailuresOfPlayCloseAndStatusAreStoredNotRaised) {
    OpenClip();
    mci.fail[{kPlay, 0}] = 261;
    EXPECT_NO_THROW(player.Play());
    EXPECT_EQ(player.LastError(), 261u);

    mci.fail[{kStatus, kStatusPosition}] = 262;
    EXPECT_NO_THROW(player.Position());
    EXPECT_EQ(player.LastError(), 262u);

    mci.fail[{kStatus, kStatusLength}] = 264;
    EXPECT_NO_THROW(player.Length());
    EXPECT_EQ(player.LastError(), 264u);

    mci.fail[{kClose, 0}] = 263;
    EXPECT_NO_THROW(player.Close());
    EXPECT_EQ(player.LastError(), 263u);
    EXPECT_TRUE(player.Opened()) << "a failed close keeps the device";
    EXPECT_EQ(player.DeviceId(), 7);
    EXPECT_TRUE(mci.lookedUp.empty());
}

TEST_F(MediaPlayerTest, CloseSendsOneCloseForOneDevice) {
    player.Close();
    EXPECT_TRUE(mci.calls.empty());

    OpenClip();
    player.Close();
    player.Close();
    EXPECT_EQ(TrafficOf(mci.calls), (Traffic{{kClose, kWait, 7, 0}}));
    EXPECT_EQ(mci.calls[0].callback, kWindow);
    EXPECT_FALSE(player.Opened());
    EXPECT_EQ(player.DeviceId(), 0);
    EXPECT_EQ(player.LastError(), 0u);
}

TEST_F(MediaPlayerTest, DestructionClosesAHeldDeviceAndIgnoresTheResult) {
    {
        TMediaPlayer unused(mci, [] { return kWindow; });
    }
    EXPECT_TRUE(mci.calls.empty());
    {
        TMediaPlayer p(mci, [] { return kWindow; });
        p.SetFileName("5.wav");
        p.Open();
        mci.calls.clear();
        mci.fail[{kClose, 0}] = 263;
    }
    EXPECT_EQ(TrafficOf(mci.calls), (Traffic{{kClose, kWait, 7, 0}}));
}

TEST_F(MediaPlayerTest, NotifyMapsTheFourCodesAndKeepsTheValueOtherwise) {
    int fired = 0;
    player.OnNotify = [&] { ++fired; };
    struct Case {
        uint32_t wParam;
        TMPNotifyValues after;
    } cases[] = {
        {kNotifyAborted, TMPNotifyValues::nvAborted},
        {3, TMPNotifyValues::nvAborted},
        {kNotifySuperseded, TMPNotifyValues::nvSuperseded},
        {kNotifyFailure, TMPNotifyValues::nvFailure},
        {0, TMPNotifyValues::nvFailure},
        {kNotifySuccessful, TMPNotifyValues::nvSuccessful},
    };
    EXPECT_EQ(player.NotifyValue(), TMPNotifyValues::nvSuccessful);
    for (const auto& c : cases) {
        player.OnMciNotify(c.wParam);
        EXPECT_EQ(player.NotifyValue(), c.after) << c.wParam;
    }
    EXPECT_EQ(fired, 6);
}

// Under Wine the position reaches the length while the end is still being
// heard; the clip has ended only when the device stops playing.
TEST_F(MediaPlayerTest, PositionStaysShortOfLengthWhileTheDeviceStillPlays) {
    const uint32_t wi = kWait | kStatusItem;
    struct Case {
        const char* what;
        uint32_t position, mode;
        int32_t reads;
        bool asksMode;
    } cases[] = {
        {"mid-clip: no mode query", 300, kModePlay, 300, false},
        {"data all handed over, still sounding", 500, kModePlay, 499, true},
        {"sound ended", 500, kModeStop, 500, true},
    };
    OpenClip();
    for (const auto& c : cases) {
        mci.calls.clear();
        mci.position = c.position;
        mci.mode = c.mode;
        EXPECT_EQ(player.Position(), c.reads) << c.what;
        Traffic expected = {{kStatus, wi, 7, kStatusPosition}};
        if (c.asksMode) expected.emplace_back(kStatus, wi, 7, kStatusMode);
        EXPECT_EQ(TrafficOf(mci.calls), expected) << c.what;
    }
}

TEST_F(MediaPlayerTest, AFailedModeQueryCountsAsEndedAndIsNotTheLastError) {
    OpenClip();
    mci.position = 500;
    mci.mode = kModePlay;
    mci.fail[{kStatus, kStatusMode}] = 262;
    EXPECT_EQ(player.Position(), 500);
    EXPECT_EQ(player.LastError(), 0u);
}

TEST_F(MediaPlayerTest, TheEndCheckUsesTheLengthOfTheClipNowOpen) {
    mci.length = 500;
    OpenClip("0.wav");
    mci.length = 1200;
    OpenClip("chasov.wav");
    mci.position = 500;
    mci.mode = kModePlay;
    EXPECT_EQ(player.Position(), 500);
    EXPECT_EQ(mci.calls.size(), 1u) << "500 of 1200 is mid-clip";
    mci.position = 1200;
    EXPECT_EQ(player.Position(), 1199);
}

TEST_F(MediaPlayerTest, AClosedPlayerNeverAsksForTheMode) {
    OpenClip();
    player.Close();
    mci.calls.clear();
    mci.position = 500;
    mci.mode = kModePlay;
    player.Position();
    EXPECT_EQ(mci.calls.size(), 1u);
}

}  // namespace
}  // namespace zv
