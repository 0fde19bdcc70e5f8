#pragma once
// The tray component's platform: the shell's notification icons and the
// replacement of a window's window procedure. One instance serves one
// TDCMinTray and must outlive it.
#include <windows.h>

#include <memory>

#include "shell/TrayPlatform.h"

namespace zv::win {

class WinTrayPlatform : public ITrayPlatform {
  public:
    WinTrayPlatform();
    ~WinTrayPlatform() override;
    WinTrayPlatform(const WinTrayPlatform&) = delete;
    WinTrayPlatform& operator=(const WinTrayPlatform&) = delete;

    // Shell_NotifyIconW with the record in its first form, the tip widened;
    // true when the shell took it.
    static bool Notify(unsigned action, const TrayIconRecord& record);

    void NotifyIcon(unsigned action, const TrayIconRecord& record) override;
    std::uintptr_t BindWndProc(TDCMinTray& tray) override;
    std::uintptr_t ReplaceWndProc(std::uintptr_t window, std::uintptr_t proc) override;
    void ReleaseWndProc(std::uintptr_t bound) override;
    std::intptr_t CallWndProc(std::uintptr_t proc, std::uintptr_t window,
                              const TMessage& message) override;
    void ShowWindow(std::uintptr_t window, int command) override;
    bool IsWindowVisible(std::uintptr_t window) override;
    unsigned RegisterMessage(std::string_view name) override;

    // The window property that leads the bound procedure to its instance.
    static constexpr const wchar_t* kPropName = L"Zvenoks.DCMinTray";

  private:
    class Installation;

    static LRESULT CALLBACK BoundWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    TDCMinTray* tray_ = nullptr;
    std::unique_ptr<Installation> installation_;
};

}  // namespace zv::win
