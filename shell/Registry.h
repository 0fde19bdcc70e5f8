#pragma once
// The registry calls the autostart component makes: open an existing key,
// query a value's type and size and then its data, write a string value,
// delete a value. A key closes when its object goes.
#include <cstdint>
#include <memory>
#include <string>

namespace zv {

inline constexpr uint32_t kHKeyCurrentUser = 0x80000001;
inline constexpr uint32_t kHKeyLocalMachine = 0x80000002;
inline constexpr uint32_t kKeyAllAccess = 0xF003F;
inline constexpr uint32_t kKeyQueryValue = 0x0001;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;

class IRegistryKey {
  public:
    virtual ~IRegistryKey() = default;
    // The value's type and data size in bytes; false when the value cannot be queried.
    virtual bool QueryValueInfo(const std::string& name, uint32_t& type, uint32_t& size) = 0;
    // Reads at most data.size() bytes and shrinks data to what was read; false on failure.
    virtual bool QueryValueData(const std::string& name, std::string& data) = 0;
    // Writes a REG_SZ value, its terminating zero byte counted in the length.
    virtual bool SetStringValue(const std::string& name, const std::string& text) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
};

class IRegistry {
  public:
    virtual ~IRegistry() = default;
    // Opens an existing key (never creates one) under a root, with an access
    // mask; null when it does not open. `path` is relative to the root.
    virtual std::unique_ptr<IRegistryKey> OpenKey(uint32_t root, const std::string& path,
                                                  uint32_t access) = 0;
};

}  // namespace zv
