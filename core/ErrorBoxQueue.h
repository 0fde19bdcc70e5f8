#pragma once
// Which error texts get a box, and when. A box runs a message loop of its
// own, so the timers keep firing and may fail again while it is open: one box
// at a time, the open text is not shown twice, and every other text waits
// for the box to close, each once and in the order it came.
#include <deque>
#include <optional>
#include <string>

namespace zv {

class TErrorBoxQueue {
  public:
    // An error to show. True when no box is open: the caller shows the text
    // now and calls Closed() when the user has closed it. False when the text
    // is already open or waiting, or now waits its turn.
    bool Offer(const std::string& text);
    // The open box was closed: the next text to show at once, if one waits.
    std::optional<std::string> Closed();

  private:
    std::optional<std::string> open_;
    std::deque<std::string> waiting_;
};

}  // namespace zv
