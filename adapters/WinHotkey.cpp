#include "adapters/WinHotkey.h"

#include <algorithm>

namespace zv::win {

TWinHotkey::~TWinHotkey() {
    for (const auto& [hwnd, id] : registered_) UnregisterHotKey(hwnd, id);
}

void TWinHotkey::Unregister(int id) {
    // Unregistering an id that is not registered only fails; nobody needs to know.
    UnregisterHotKey(window_.Handle(), id);
    std::erase_if(registered_, [id](const auto& r) { return r.second == id; });
}

void TWinHotkey::Register(int id, unsigned modifiers, unsigned vk) {
    // A key held by another program is refused; the clock carries on without it.
    if (RegisterHotKey(window_.Handle(), id, modifiers, vk) && !Registered(id)) {
        registered_.emplace_back(window_.Handle(), id);
    }
}

bool TWinHotkey::Registered(int id) const {
    return std::any_of(registered_.begin(), registered_.end(),
                       [id](const auto& r) { return r.second == id; });
}

}  // namespace zv::win
