#include "win32/WinRegistry.h"

#include <windows.h>

#include "win32/Handles.h"

namespace zv::win {
namespace {

class TWinRegistryKey final : public IRegistryKey {
  public:
    explicit TWinRegistryKey(HKEY key) : key_(key) {}

    bool QueryValueInfo(const std::string& name, uint32_t& type, uint32_t& size) override {
        DWORD t = 0;
        DWORD n = 0;
        if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &t, nullptr, &n) != ERROR_SUCCESS)
            return false;
        type = t;
        size = n;
        return true;
    }

    bool QueryValueData(const std::string& name, std::string& data) override {
        auto n = static_cast<DWORD>(data.size());
        if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(data.data()), &n) != ERROR_SUCCESS)
            return false;
        data.resize(n);
        return true;
    }

    bool SetStringValue(const std::string& name, const std::string& text) override {
        // c_str() supplies the terminating zero the length counts.
        return RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueA(key_.Get(), name.c_str()) == ERROR_SUCCESS;
    }

  private:
    UniqueKey key_;
};

HKEY RootKey(uint32_t root) {
    // Predefined keys are 32-bit values sign-extended to the handle's width.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

}  // namespace

std::unique_ptr<IRegistryKey> TWinRegistry::OpenKey(uint32_t root, const std::string& path,
                                                    uint32_t access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
    return std::make_unique<TWinRegistryKey>(key);
}

}  // namespace zv::win
