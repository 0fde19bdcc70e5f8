#include "adapters/WinRegistry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "win32/Handles.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

class TWinRegistryKey final : public IRegistryKey {
  public:
    explicit TWinRegistryKey(HKEY key) : key_(key) {}

    // A string value's size is that of its UTF-8 text with the terminating zero.
    bool QueryValueInfo(const std::string& name, uint32_t& type, uint32_t& size) override {
        DWORD t = 0;
        std::string bytes;
        if (!Read(name, t, bytes)) return false;
        type = t;
        size = static_cast<uint32_t>(bytes.size());
        return true;
    }

    bool QueryValueData(const std::string& name, std::string& data) override {
        DWORD t = 0;
        std::string bytes;
        if (!Read(name, t, bytes)) return false;
        data.assign(bytes, 0, std::min(data.size(), bytes.size()));
        return true;
    }

    bool SetStringValue(const std::string& name, const std::string& text) override {
        // c_str() supplies the terminating zero the length counts.
        const std::wstring wide = Widen(text);
        return RegSetValueExW(key_.Get(), Widen(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wide.c_str()),
                              static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueW(key_.Get(), Widen(name).c_str()) == ERROR_SUCCESS;
    }

  private:
    // The value's type and data; a string value as UTF-8 with its terminating zero.
    bool Read(const std::string& name, DWORD& type, std::string& bytes);

    UniqueKey key_;
};

HKEY RootKey(uint32_t root) {
    // Predefined keys are 32-bit values sign-extended to the handle's width.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

bool TWinRegistryKey::Read(const std::string& name, DWORD& type, std::string& bytes) {
    const std::wstring wideName = Widen(name);
    std::vector<BYTE> raw;
    for (;;) {  // the value may grow between the two calls
        DWORD n = 0;
        if (RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, nullptr, &n) !=
            ERROR_SUCCESS)
            return false;
        raw.resize(n);
        const LONG got =
            RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, raw.data(), &n);
        if (got == ERROR_MORE_DATA) continue;
        if (got != ERROR_SUCCESS) return false;
        raw.resize(n);
        break;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        bytes.assign(raw.begin(), raw.end());
        return true;
    }
    std::wstring text(raw.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), raw.data(), text.size() * sizeof(wchar_t));
    bytes = Narrow(std::wstring_view(text.c_str()));
    bytes += '\0';
    return true;
}

}  // namespace

std::unique_ptr<IRegistryKey> TWinRegistry::OpenKey(uint32_t root, const std::string& path,
                                                    uint32_t access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), Widen(path).c_str(), 0, access, &key) != ERROR_SUCCESS)
        return {};
    return std::make_unique<TWinRegistryKey>(key);
}

}  // namespace zv::win
