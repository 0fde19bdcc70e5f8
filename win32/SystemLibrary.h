#pragma once
// A DLL from the system folder and its exports. The program folder and the
// current directory, where anyone may have put a DLL of the same name, are
// never searched: this is the defence against a planted DLL for everything
// the program loads at run time.
#include <windows.h>

#include "win32/Handles.h"

namespace zv::win {

class TSystemLibrary {
  public:
    TSystemLibrary() = default;
    // Loads at once; Loaded() tells whether it worked.
    explicit TSystemLibrary(const wchar_t* name) { Load(name); }
    TSystemLibrary(const TSystemLibrary&) = delete;
    TSystemLibrary& operator=(const TSystemLibrary&) = delete;

    // Loads `name` ("winmm.dll") from the system folder, freeing what was held.
    // False when it cannot be had; LoadError() then holds the system's code.
    bool Load(const wchar_t* name);
    bool Loaded() const { return static_cast<bool>(module_); }
    DWORD LoadError() const { return loadError_; }

    // Null when not loaded. Its exports are looked up in win32/SystemFunctions.
    HMODULE Module() const { return module_.Get(); }

  private:
    UniqueModule module_;
    DWORD loadError_ = 0;
};

}  // namespace zv::win
