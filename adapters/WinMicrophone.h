#pragma once
// Whether a program records from the microphone now, as Windows 10 1903 and
// later note each program's use of it under the user's consent store.
namespace zv::win {

// Where Windows keeps each program's last use of the microphone, under
// HKEY_CURRENT_USER: packaged apps are its subkeys, other programs the
// subkeys of its "NonPackaged".
inline constexpr const wchar_t* kMicrophoneConsentKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\"
    L"microphone";

class TWinMicrophone {
  public:
    // True while a program's use has started and not stopped: its
    // LastUsedTimeStart is non-zero and its LastUsedTimeStop zero. Never
    // where the key is missing (Windows 7, 8.1, an older 10).
    bool InUse() const;
};

}  // namespace zv::win
