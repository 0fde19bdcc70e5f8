#pragma once
// The clock's menus and what their items do: the dial's pop-up menu
// PopupMenu1, MainMenu1's hidden "Сказать" (only its F11 shortcut), the tray
// icon's menu, and the dialogs they open.
#include <windows.h>

#include <functional>

#include "app/Application_win.h"
#include "win32/Handles.h"

namespace zv::win {

class TDialog;
class TForm2;
class TForm3;
class TAnnouncementsDialog;

class TClockMenus {
  public:
    enum CommandId : int {
        kN1 = 2001,
        kN2,
        kN3,
        kN4,
        kN5,
        kN6,
        kN7,
        kAnnouncementsItem,
        kDateItem
    };
    // "Размер": the items of kFaceSizes, in order.
    static constexpr int kFirstSize = 2101;

    // What the items ask of the clock window.
    struct Actions {
        std::function<void()> time;   // the Time command
        std::function<void()> date;   // "Дата"
        std::function<void()> hide;   // "Свернуть"
        std::function<void()> show;   // the tray menu's "Показать"
        std::function<void()> close;  // "Выход"
        // Before the announcements dialog shows: fill it with what is in force.
        std::function<void(TAnnouncementsDialog&)> loadAnnouncements;
        std::function<void(int percent)> setSize;  // "Размер"
        std::function<int()> size;                 // the size in force
    };

    TClockMenus(TApplication& application, Actions actions);
    TClockMenus(const TClockMenus&) = delete;
    TClockMenus& operator=(const TClockMenus&) = delete;

    // Makes the menus and the F11 shortcut for the clock window.
    void Create(HWND clock);
    void SetDialogs(TForm2* form2, TForm3* form3, TAnnouncementsDialog* announcementsDialog);

    // A WM_COMMAND from a menu: true when it was one of ours. The F11
    // shortcut (kN1) is the window's, which counts its presses.
    bool Command(int id);
    // The dial's menu at a screen point.
    void PopupMenu1(POINT screen);
    // The tray icon's menu at a screen point, or at the cursor; true when a
    // command was chosen.
    bool TrayIconMenu(bool clockShown, const POINT* at = nullptr);
    // The clock was activated: every dialog hides.
    void HideDialogs();

    void N4Click();                 // "О программе"
    void N7Click();                 // "Настройки"
    void AnnouncementsItemClick();  // "Оповещения…"

  private:
    void ShowDialog(TDialog* dialog);
    // "Размер" with the size in force checked.
    HMENU SizeMenu() const;

    TApplication& application_;
    Actions actions_;
    HWND clock_ = nullptr;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    TAnnouncementsDialog* announcementsDialog_ = nullptr;
    UniqueMenu popupMenu1_;
    UniqueAccel accelerators_;
};

}  // namespace zv::win
