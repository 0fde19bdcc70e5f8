// Writes the text of every window of the running clock's process, hidden ones
// and controls included, as GetWindowTextW reads it (an edit field's by
// WM_GETTEXT): one "class<TAB>text" line
// each, in UTF-8, to the file named by the first argument. Exit code 2 when
// no clock runs. Built and run under Wine by the cases that need whole texts.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

DWORD gProcess = 0;
std::FILE* gOut = nullptr;

std::string Utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

void Write(HWND window) {
    wchar_t cls[256] = {};
    wchar_t text[1024] = {};
    GetClassNameW(window, cls, 256);
    GetWindowTextW(window, text, 1024);
    // An edit field's text is no caption: GetWindowTextW from another process
    // reads nothing there, a message asks the field itself.
    DWORD_PTR ignored = 0;
    if (lstrcmpiW(cls, L"Edit") == 0)
        SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 2000, &ignored);
    std::fprintf(gOut, "%s\t%s\n", Utf8(cls).c_str(), Utf8(text).c_str());
}

BOOL CALLBACK Child(HWND window, LPARAM) {
    Write(window);
    return TRUE;
}

BOOL CALLBACK TopLevel(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != gProcess) return TRUE;
    Write(window);
    EnumChildWindows(window, &Child, 0);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 1;
    HWND clock = FindWindowW(L"TForm1", L"Zvenoks");
    if (!clock) return 2;
    GetWindowThreadProcessId(clock, &gProcess);
    gOut = _wfopen(argv[1], L"wb");
    if (!gOut) return 1;
    EnumWindows(&TopLevel, 0);
    return std::fclose(gOut) == 0 ? 0 : 1;
}
