#include "adapters/WinFileStore.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "settings/SettingsFolder.h"
#include "win32/Handles.h"
#include "win32/ModulePath.h"
#include "win32/SystemError.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

// Another program (a backup or sync tool at logon) may have the file open:
// let it, and wait this long for one that holds it for itself alone.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr ULONGLONG kHeldWaitMs = 2000;
constexpr DWORD kHeldRetryMs = 50;

bool Held(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Runs the attempt (ERROR_SUCCESS, or the error that stopped it) again while
// `brief` says its error is another program's passing hold, for up to
// kHeldWaitMs; the last error, or ERROR_SUCCESS.
template <class Attempt>
DWORD WaitingOut(Attempt attempt, bool (*brief)(DWORD) = Held) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const DWORD error = attempt();
        if (error == ERROR_SUCCESS || !brief(error) || GetTickCount64() - start >= kHeldWaitMs)
            return error;
        Sleep(kHeldRetryMs);
    }
}

[[noreturn]] void Throw(DWORD error) {
    throw EFileStoreFailure(SystemErrorText(error));
}

[[noreturn]] void ThrowLastError() {
    Throw(GetLastError());
}

// The name resolved against the current directory; "" when it cannot be.
std::string FullPathOf(const std::string& name) {
    const std::wstring wide = Widen(name);
    return FilledText([&](wchar_t* buffer, DWORD size) {
               return GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
           })
        .value_or("");
}

// One attempt: ERROR_SUCCESS with the bytes, or the error that stopped it.
DWORD TryReadAll(const std::wstring& name, std::string& bytes) {
    UniqueFile file(CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return GetLastError();
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        auto want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) return GetLastError();
        if (got == 0) break;  // shorter than it was a moment ago: keep what is there
        done += got;
    }
    bytes.resize(done);
    return ERROR_SUCCESS;
}

// All the bytes from where the file stands, then on the disk.
void WriteFlushed(HANDLE file, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        auto want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, want, &put, nullptr)) ThrowLastError();
        if (put == 0) Throw(ERROR_WRITE_FAULT);
        done += put;
    }
    if (!FlushFileBuffers(file)) ThrowLastError();
}

// The file opened is not the one its name names itself: a symbolic link
// somewhere on the way (Wine shows a Unix link as a plain file, but not its
// final path). Paths compared without case; one that cannot be had is no link.
bool ReachedThroughALink(HANDLE file, const std::string& name) {
    const std::string final = FinalPathOf(file);
    if (final.empty()) return false;
    return CompareStringOrdinal(Widen(final).c_str(), -1, Widen(FullPathOf(name)).c_str(), -1,
                                TRUE) != CSTR_EQUAL;
}

// The new bytes go to a file of their own beside the target and replace it
// in one step; until then, and after any failure, the old file is untouched.
class TReplacement {
  public:
    explicit TReplacement(std::wstring target) : target_(std::move(target)) {}
    // A temporary file left behind by a failure is deleted. A failed delete
    // leaves a stray file beside the target and nothing worse: the error the
    // user sees is the one that stopped the write.
    ~TReplacement() {
        file_.Reset();
        if (!path_.empty() && !moved_) DeleteFileW(path_.c_str());
    }
    TReplacement(const TReplacement&) = delete;
    TReplacement& operator=(const TReplacement&) = delete;

    void Create(DWORD attributes) {
        // Unique within this process by the counter, across processes by the
        // id; a name left by a crashed run of the same id is stepped over.
        static unsigned counter = 0;
        const std::string target = Narrow(target_);
        for (int tries = 0; tries < 100; ++tries) {
            std::wstring path = Widen(ReplacementName(target, GetCurrentProcessId(), ++counter));
            file_.Reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes,
                                    nullptr));
            if (file_) {
                path_ = std::move(path);
                return;
            }
            if (GetLastError() != ERROR_FILE_EXISTS) ThrowLastError();
        }
        Throw(ERROR_FILE_EXISTS);
    }

    void Write(std::string_view bytes) {
        // On the disk before it takes the old file's place, so a power cut
        // leaves the one or the other, never an empty file.
        WriteFlushed(file_.Get(), bytes);
        if (!CloseHandle(file_.Release())) ThrowLastError();
    }

    void MoveIntoPlace() {
        // An indexer, antivirus or sync client that holds the old file
        // without delete sharing lets it go soon; so may one that briefly
        // denies the replacement.
        const DWORD error = WaitingOut(
            [this] {
                return MoveFileExW(path_.c_str(), target_.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                           ? ERROR_SUCCESS
                           : GetLastError();
            },
            [](DWORD e) { return Held(e) || e == ERROR_ACCESS_DENIED; });
        if (error != ERROR_SUCCESS) Throw(error);
        moved_ = true;
    }

  private:
    const std::wstring target_;
    std::wstring path_;
    UniqueFile file_;
    bool moved_ = false;
};

}  // namespace

std::string TWinFileStore::ReadAll(const std::string& name) {
    const std::wstring wide = Widen(name);
    std::string bytes;
    const DWORD error = WaitingOut([&] { return TryReadAll(wide, bytes); });
    if (error != ERROR_SUCCESS) Throw(error);
    return bytes;
}

void TWinFileStore::WriteAll(const std::string& name, std::string_view bytes) {
    const std::wstring target = Widen(name);
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES) {
        // What could not be overwritten in place is not replaced either: a
        // folder, a read-only file (by its attribute, which not every file
        // system enforces for every user), a file this user may not write or
        // another program holds for itself.
        if (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) Throw(ERROR_ACCESS_DENIED);
        UniqueFile writable;
        const DWORD error = WaitingOut([&] {
            writable.Reset(CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            return writable ? ERROR_SUCCESS : GetLastError();
        });
        if (error != ERROR_SUCCESS) Throw(error);
        // A hard link (Scoop keeps the settings in its persist folder and
        // links them here) or a symbolic link would be cut off from the file
        // it shares by a replacement: its bytes are written in place.
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(writable.Get(), &info)) ThrowLastError();
        if ((old & FILE_ATTRIBUTE_REPARSE_POINT) || info.nNumberOfLinks > 1 ||
            ReachedThroughALink(writable.Get(), name)) {
            WriteFlushed(writable.Get(), bytes);
            if (!SetEndOfFile(writable.Get())) ThrowLastError();
            return;
        }
        // A hidden file stays hidden.
        const DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (kept) attributes = kept;
    }
    TReplacement replacement(target);
    replacement.Create(attributes);
    replacement.Write(bytes);
    replacement.MoveIntoPlace();
}

std::string TWinFileStore::FullPath(const std::string& name) {
    // Only the message uses it: the bare name will do when there is none.
    std::string path = FullPathOf(name);
    return path.empty() ? name : path;
}

}  // namespace zv::win
