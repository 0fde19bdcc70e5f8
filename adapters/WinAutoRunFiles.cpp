#include "adapters/WinAutoRunFiles.h"

#include <windows.h>
// windows.h first: the access-control headers need its types.
#include <aclapi.h>

#include <vector>

#include "shell/ExeAccess.h"
#include "win32/ModulePath.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

TTrustee TrusteeOf(PSID sid) {
    if (IsWellKnownSid(sid, WinWorldSid)) return TTrustee::Everyone;
    if (IsWellKnownSid(sid, WinBuiltinUsersSid)) return TTrustee::Users;
    if (IsWellKnownSid(sid, WinAuthenticatedUserSid)) return TTrustee::AuthenticatedUsers;
    if (IsWellKnownSid(sid, WinInteractiveSid)) return TTrustee::Interactive;
    return TTrustee::Other;
}

class LocalMemory {
  public:
    ~LocalMemory() { LocalFree(p_); }
    PSECURITY_DESCRIPTOR* Out() { return &p_; }

  private:
    PSECURITY_DESCRIPTOR p_ = nullptr;
};

}  // namespace

bool UsersMayChange(const std::string& path) {
    PACL dacl = nullptr;
    LocalMemory descriptor;
    std::wstring wide = Widen(path);
    // Permissions that cannot be read cannot be shown to be safe.
    if (GetNamedSecurityInfoW(wide.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, descriptor.Out()) != ERROR_SUCCESS)
        return true;
    std::vector<AccessEntry> entries;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) return true;
        const auto* header = static_cast<const ACE_HEADER*>(ace);
        // Object and callback entries do not occur on files; an unknown kind
        // grants nothing the rule could count on.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE)
            continue;
        // Allowed and denied entries share one layout.
        auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        entries.push_back({header->AceType == ACCESS_ALLOWED_ACE_TYPE,
                           TrusteeOf(reinterpret_cast<PSID>(&entry->SidStart)), entry->Mask,
                           (header->AceFlags & INHERIT_ONLY_ACE) != 0});
    }
    return StandardUserMayChange(dacl != nullptr, entries);
}

std::string TWinAutoRunFiles::FinalPath(const std::string& path) {
    return win::FinalPath(path);
}

bool TWinAutoRunFiles::UsersMayReplace(const std::string& exePath) {
    const size_t slash = exePath.find_last_of('\\');
    if (slash == std::string::npos) return true;
    // Whoever may write the folder may put another file in the exe's place.
    // A drive's root keeps its backslash: "C:" alone is a current directory.
    const std::string folder = exePath.substr(0, slash == 2 ? 3 : slash);
    return UsersMayChange(exePath) || UsersMayChange(folder);
}

}  // namespace zv::win
