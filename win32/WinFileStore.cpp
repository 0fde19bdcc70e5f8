#include "win32/WinFileStore.h"

#include <windows.h>

#include <algorithm>

#include "win32/Handles.h"
#include "win32/Utf16.h"
#include "win32/Window.h"

namespace zv::win {
namespace {

[[noreturn]] void ThrowLastError() {
    throw EFileStoreFailure(SystemErrorText(GetLastError()));
}

}  // namespace

std::string TWinFileStore::ReadAll(const std::string& name) {
    UniqueFile file(CreateFileW(Widen(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) ThrowLastError();
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        auto want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) ThrowLastError();
        if (got == 0) break;  // shorter than it was a moment ago: keep what is there
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void TWinFileStore::WriteAll(const std::string& name, std::string_view bytes) {
    UniqueFile file(CreateFileW(Widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowLastError();
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        auto want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file.Get(), bytes.data() + done, want, &put, nullptr)) ThrowLastError();
        if (put == 0) throw EFileStoreFailure(SystemErrorText(ERROR_WRITE_FAULT));
        done += put;
    }
}

std::string TWinFileStore::FullPath(const std::string& name) {
    const std::wstring wide = Widen(name);
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n =
            GetFullPathNameW(wide.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr);
        if (n == 0) return name;  // only the message uses it: the bare name will do
        if (n < path.size()) {
            path.resize(n);
            return Narrow(path);
        }
        path.resize(n);
    }
}

}  // namespace zv::win
