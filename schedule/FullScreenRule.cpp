#include "schedule/FullScreenRule.h"

namespace zv {

bool OtherProgramFullScreen(const ForegroundFacts& f) {
    if (f.notificationState == kQunsQuietTime) return true;
    // The clock's own window is maximized over its monitor and the shell
    // reports that as busy too: while it is in front, nothing else is.
    if (f.exists && f.own) return false;
    if (f.notificationState &&
        (*f.notificationState == kQunsBusy || *f.notificationState == kQunsRunningD3dFullScreen ||
         *f.notificationState == kQunsPresentationMode))
        return true;
    if (!f.exists || f.desktop || f.minimized) return false;
    // Covering the whole monitor, the taskbar included; a maximized window
    // leaves the taskbar free.
    return f.window.left <= f.monitor.left && f.window.top <= f.monitor.top &&
           f.window.right >= f.monitor.right && f.window.bottom >= f.monitor.bottom &&
           f.monitor.right > f.monitor.left && f.monitor.bottom > f.monitor.top;
}

}  // namespace zv
