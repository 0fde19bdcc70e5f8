#include "app/Activation.h"

namespace zv {

uintptr_t WindowToActivate(std::span<const OwnedWindow> windows, uintptr_t clock) {
    bool clockShown = false;
    for (const OwnedWindow& w : windows) {
        if (!w.visible) continue;
        if (w.handle == clock) {
            clockShown = true;
        } else if (!w.minimized) {
            // Activating the clock would hide this very dialog.
            return w.handle;
        }
    }
    return clockShown ? clock : 0;
}

}  // namespace zv
