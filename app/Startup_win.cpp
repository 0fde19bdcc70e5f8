#include "app/Startup_win.h"

#include "core/Errors.h"
#include "win32/ModulePath.h"
#include "win32/SystemError.h"
#include "win32/SystemFunctions.h"
#include "win32/Utf16.h"

namespace zv::win {

bool TWinStartupPlatform::FileExists(const std::string& name) {
    DWORD attributes = GetFileAttributesW(Widen(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string TWinStartupPlatform::CurrentDirectory() {
    std::optional<std::string> path =
        FilledText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    if (!path) throw Exception(SystemErrorText(GetLastError()));
    return *path;
}

bool TWinStartupPlatform::ChangeDirectory(const std::string& path) {
    return SetCurrentDirectoryW(Widen(path).c_str()) != FALSE;
}

std::string TWinStartupPlatform::ExeDirectory() {
    return FolderOf(ExePath());
}

std::optional<std::string> TWinStartupPlatform::ExecuteOpenDialog() {
    const auto fail = [](DWORD code) {
        return Exception("Не удалось открыть окно выбора файла (ошибка " + HexCode(code, 4) +
                         "). Запустите Zvenoks.exe из его собственной папки.");
    };
    const auto open = SystemFunction<kGetOpenFileNameW>();
    const auto why = SystemFunction<kCommDlgExtendedError>();
    if (!open || !why) {
        const DWORD code = SystemDllError(TSystemDll::Comdlg32);
        throw fail(code ? code : ERROR_PROC_NOT_FOUND);
    }
    static constexpr wchar_t kFilter[] = L"Zvenoks.exe\0Zvenoks.exe\0";
    const std::wstring title = Widen("Укажите, где лежит Zvenoks.exe");
    std::wstring file(4096, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialogOwner_;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST;
    if (open(&ofn)) return Narrow(file.c_str());
    if (DWORD code = why(); code != 0) throw fail(code);
    return std::nullopt;
}

std::string TWinStartupPlatform::FromAnsiCodePage(const std::string& bytes) {
    return win::FromAnsiCodePage(bytes);
}

}  // namespace zv::win
