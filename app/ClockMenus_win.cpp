#include "app/ClockMenus_win.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

#include "about/Form2_win.h"
#include "app/Layout.h"
#include "schedule/AnnouncementsDialog_win.h"
#include "settings/Form3_win.h"
#include "shell/TrayMenu_win.h"
#include "win32/Utf16.h"

namespace zv::win {

TClockMenus::TClockMenus(TApplication& application, Actions actions)
    : application_(application), actions_(std::move(actions)) {}

void TClockMenus::Create(HWND clock) {
    clock_ = clock;
    popupMenu1_.Reset(CreatePopupMenu());
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN7, L"Настройки");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN4, L"О программе");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN2, L"Свернуть");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN3, L"Время");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kDateItem, L"Дата");
    // After "Время", so the first four items and "Выход" keep their places.
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kAnnouncementsItem, L"Оповещения…");
    AppendMenuW(popupMenu1_.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(SizeMenu()), L"Размер");
    AppendMenuW(popupMenu1_.Get(), MF_SEPARATOR, kN5, nullptr);
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN6, L"Выход");

    // MainMenu1's hidden N1 "Сказать": only its F11 shortcut is used.
    ACCEL f11{FVIRTKEY, VK_F11, kN1};
    accelerators_.Reset(CreateAcceleratorTableW(&f11, 1));
    application_.SetAccelerators(accelerators_.Get(), clock);
}

void TClockMenus::SetDialogs(TForm2* form2, TForm3* form3,
                             TAnnouncementsDialog* announcementsDialog) {
    form2_ = form2;
    form3_ = form3;
    announcementsDialog_ = announcementsDialog;
}

HMENU TClockMenus::SizeMenu() const {
    HMENU sizes = CreatePopupMenu();
    for (int i = 0; i < static_cast<int>(std::size(kFaceSizes)); ++i) {
        const std::wstring text = Widen(std::to_string(kFaceSizes[i]) + " %");
        AppendMenuW(sizes, MF_STRING, static_cast<UINT_PTR>(kFirstSize + i), text.c_str());
    }
    const int* at = std::find(std::begin(kFaceSizes), std::end(kFaceSizes), actions_.size());
    const auto checked = static_cast<UINT>(kFirstSize + (at - std::begin(kFaceSizes)));
    CheckMenuRadioItem(sizes, kFirstSize, kFirstSize + 4, checked, MF_BYCOMMAND);
    return sizes;
}

bool TClockMenus::Command(int id) {
    if (id >= kFirstSize && id < kFirstSize + static_cast<int>(std::size(kFaceSizes))) {
        actions_.setSize(kFaceSizes[id - kFirstSize]);
        return true;
    }
    switch (id) {
        case kN3:
            actions_.time();
            return true;
        case kDateItem:
            actions_.date();
            return true;
        case kN2:
            actions_.hide();
            return true;
        case kN4:
            N4Click();
            return true;
        case kN6:
            actions_.close();
            return true;
        case kN7:
            N7Click();
            return true;
        case kAnnouncementsItem:
            AnnouncementsItemClick();
            return true;
        default:
            return false;
    }
}

void TClockMenus::PopupMenu1(POINT screen) {
    const int* at = std::find(std::begin(kFaceSizes), std::end(kFaceSizes), actions_.size());
    CheckMenuRadioItem(popupMenu1_.Get(), kFirstSize, kFirstSize + 4,
                       static_cast<UINT>(kFirstSize + (at - std::begin(kFaceSizes))), MF_BYCOMMAND);
    // The owner must be in front for the menu to close on a click elsewhere.
    SetForegroundWindow(clock_);
    TrackPopupMenu(popupMenu1_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x,
                   screen.y, 0, clock_, nullptr);
    PostMessageW(clock_, WM_NULL, 0, 0);
}

bool TClockMenus::TrayIconMenu(bool clockShown, const POINT* at) {
    const TrayCommand command = at ? TTrayMenu::Track(clock_, clockShown, *at, SizeMenu())
                                   : TTrayMenu::Track(clock_, clockShown, SizeMenu());
    if (Command(static_cast<int>(command))) return true;  // a size
    switch (command) {
        case TrayCommand::Show:
            actions_.show();
            break;
        case TrayCommand::Hide:
            actions_.hide();
            break;
        case TrayCommand::Time:
            actions_.time();
            break;
        case TrayCommand::Date:
            actions_.date();
            break;
        case TrayCommand::Settings:
            N7Click();
            break;
        case TrayCommand::Announcements:
            AnnouncementsItemClick();
            break;
        case TrayCommand::About:
            N4Click();
            break;
        case TrayCommand::Exit:
            actions_.close();
            break;
        case TrayCommand::None:
        case TrayCommand::Size:
            break;
    }
    return command != TrayCommand::None;
}

void TClockMenus::HideDialogs() {
    for (TDialog* dialog : std::initializer_list<TDialog*>{form2_, form3_, announcementsDialog_}) {
        if (dialog) dialog->Hide();
    }
}

void TClockMenus::ShowDialog(TDialog* dialog) {
    if (!dialog) return;
    // The dialog brings back the taskbar button, which the start-up hid.
    application_.FormShowing();
    dialog->Show();
}

void TClockMenus::N4Click() {
    ShowDialog(form2_);
}

void TClockMenus::N7Click() {
    ShowDialog(form3_);
}

void TClockMenus::AnnouncementsItemClick() {
    if (!announcementsDialog_) return;
    // Filled afresh each time it opens from hidden: the settings in force and
    // the packs there are now, so a pack put in meanwhile shows up.
    if (!announcementsDialog_->Visible() && actions_.loadAnnouncements)
        actions_.loadAnnouncements(*announcementsDialog_);
    ShowDialog(announcementsDialog_);
}

}  // namespace zv::win
