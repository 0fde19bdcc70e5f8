#pragma once
// The one place where exceptions stop: every window procedure, timer and
// command handler runs its work through Guarded(), which shows the error in a
// message box and lets the message loop go on.
#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace zv::win {

// What to do about an error the program has no words of its own for.
inline constexpr std::string_view kTryAgainText =
    "Попробуйте ещё раз; если ошибка повторится, сообщите о ней на домашней странице "
    "программы — её адрес есть в окне «О программе»";

// The executable's title ("Zvenoks"), used as every error box caption.
const std::string& AppTitle();

// Shows the message box of an error: stop icon, OK, caption AppTitle(). One
// box at a time: called while one is open, it shows a text other than the
// open one after that box is closed, each text once, and returns at once.
void ShowErrorBox(const std::string& message);

// While set, ShowErrorBox records the text instead of showing a box (the
// Windows tests use it to see what a user would have been shown).
void SetErrorSink(void (*sink)(const std::string& text));

template <class F>
void Guarded(F&& work) noexcept {
    try {
        work();
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox("Неизвестная ошибка. " + std::string(kTryAgainText));
    }
}

}  // namespace zv::win
