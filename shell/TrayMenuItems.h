#pragma once
// The tray icon's menu: what it offers, in order. The window that owns the
// icon decides what each command does.
#include <array>
#include <string_view>

namespace zv {

// Also the menu items' identifiers; None is what a menu closed without a
// choice gives. A new command goes last, so the others keep their numbers.
// Size is the item that opens the dial's sizes, which the owner gives.
enum class TrayCommand : int {
    None = 0,
    Show,
    Hide,
    Time,
    Settings,
    Announcements,
    About,
    Exit,
    Date,
    Size
};

struct TrayMenuItem {
    TrayCommand command;  // None: a separator
    std::string_view text;
};

// The first item offers whichever of showing and hiding the clock applies.
constexpr std::array<TrayMenuItem, 9> TrayMenuItems(bool clockShown) {
    return {{
        clockShown ? TrayMenuItem{TrayCommand::Hide, "Свернуть"}
                   : TrayMenuItem{TrayCommand::Show, "Показать"},
        {TrayCommand::Time, "Время"},
        {TrayCommand::Date, "Дата"},
        {TrayCommand::Settings, "Настройки"},
        {TrayCommand::Announcements, "Оповещения…"},
        {TrayCommand::About, "О программе"},
        {TrayCommand::Size, "Размер"},
        {TrayCommand::None, ""},
        {TrayCommand::Exit, "Выход"},
    }};
}

}  // namespace zv
