#pragma once
// Base of the program's windows: one static window procedure binds `this` at
// WM_NCCREATE and hands every message to HandleMessage(), behind Guarded().
#include <windows.h>

namespace zv::win {

class TWindow {
  public:
    TWindow() = default;
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Handle() const { return hwnd_; }

  protected:
    // Registers the class once per process (later calls with the same name do
    // nothing). Names and captions are UTF-8; the windows are Unicode ones.
    static void RegisterClassOnce(const char* className, UINT style, HICON icon, HCURSOR cursor,
                                  HBRUSH background);
    // Creates the window; throws zv::Exception with the system's text on failure.
    void CreateHandle(const char* className, const char* caption, DWORD exStyle, DWORD style, int x,
                      int y, int width, int height, HWND parent, HMENU menu = nullptr);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// The system's arrow and hand cursors, shared: never destroyed.
HCURSOR ArrowCursor();
HCURSOR HandCursor();

// Lets `message` reach `window` from processes of lower integrity: a clock
// started as administrator still hears Explorer and a second start. Where
// the call does not exist (Wine) there is no such filter to pass.
void AllowFromLowerIntegrity(HWND window, UINT message);

}  // namespace zv::win
