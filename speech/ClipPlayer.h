#pragma once
// What the announcement sequencer needs of a player: one clip at a time, and
// Length/Position to poll for its end.
#include <cstdint>
#include <string>

namespace zv {

class IClipPlayer {
  public:
    virtual ~IClipPlayer() = default;
    virtual void SetFileName(const std::string& name) = 0;
    virtual void Open() = 0;
    virtual void Play() = 0;
    virtual void Close() = 0;
    virtual int32_t Length() = 0;
    virtual int32_t Position() = 0;
};

}  // namespace zv
