#include "core/ErrorBoxQueue.h"

#include <algorithm>
#include <utility>

namespace zv {

bool TErrorBoxQueue::Offer(const std::string& text) {
    if (!open_) {
        open_ = text;
        return true;
    }
    if (*open_ != text && std::find(waiting_.begin(), waiting_.end(), text) == waiting_.end())
        waiting_.push_back(text);
    return false;
}

std::optional<std::string> TErrorBoxQueue::Closed() {
    open_.reset();
    if (waiting_.empty()) return std::nullopt;
    open_ = std::move(waiting_.front());
    waiting_.pop_front();
    return open_;
}

}  // namespace zv
