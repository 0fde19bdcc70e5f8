#pragma once
// The files the real announcer plays for one time of day, clip after clip.
#include <cstdint>
#include <string>
#include <vector>

#include "speech/Announcer.h"

namespace zv::test {

inline std::vector<std::string> AnnouncedChain(uint16_t hour, uint16_t minute) {
    // Every clip ends at the first poll.
    class Player : public IClipPlayer {
      public:
        void SetFileName(const std::string& name) override { name_ = name; }
        void Open() override {}
        void Play() override { played.push_back(name_); }
        void Close() override {}
        int32_t Length() override { return 1; }
        int32_t Position() override { return 1; }
        std::vector<std::string> played;

      private:
        std::string name_;
    } player;
    class Timer : public IPollTimer {
      public:
        void SetEnabled(bool) override {}
    } timer;
    TimeFields now;
    now.hour = hour;
    now.minute = minute;
    TAnnouncer announcer(player, timer);
    announcer.Start(now);
    for (int i = 0; i < 10 && announcer.Polling(); ++i) announcer.Poll();
    return player.played;
}

}  // namespace zv::test
