#pragma once
// Whether a standard user may change a file or folder, from its access list:
// an autostart for all users runs the executable at every logon,
// administrators' included, so none but administrators may be able to
// replace it.
#include <cstdint>
#include <span>

namespace zv {

// The groups every standard user's logon belongs to, and everyone else.
enum class TTrustee : uint8_t { Everyone, Users, AuthenticatedUsers, Interactive, Other };

// One entry of an access list, in the list's order.
struct AccessEntry {
    bool allow = true;  // false: a deny entry
    TTrustee trustee = TTrustee::Other;
    uint32_t mask = 0;
    bool inheritOnly = false;  // given on to new children, not to the object itself
};

// Write, append, delete (also a folder's child), change of permissions or
// owner, and the generic rights that include them.
inline constexpr uint32_t kReplaceRights =
    0x0002 | 0x0004 | 0x0040 | 0x00010000 | 0x00040000 | 0x00080000 | 0x10000000 | 0x40000000;

// Whether a standard user's logon gets any of kReplaceRights on the object:
// the entries are weighed in order, as the system does, a right going to the
// first entry that names it. No access list at all (hasList false) lets
// everyone do everything.
bool StandardUserMayChange(bool hasList, std::span<const AccessEntry> entries);

}  // namespace zv
