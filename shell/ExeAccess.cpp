#include "shell/ExeAccess.h"

namespace zv {

bool StandardUserMayChange(bool hasList, std::span<const AccessEntry> entries) {
    if (!hasList) return true;
    uint32_t granted = 0;
    uint32_t denied = 0;
    for (const AccessEntry& e : entries) {
        // Every standard user is in all four groups; another trustee's entry
        // (administrators, SYSTEM, one named user) says nothing about them.
        if (e.inheritOnly || e.trustee == TTrustee::Other) continue;
        if (e.allow) {
            granted |= e.mask & ~denied;
        } else {
            denied |= e.mask & ~granted;
        }
    }
    return (granted & kReplaceRights) != 0;
}

}  // namespace zv
