#pragma once
// IRegistry over the UTF-16 advapi32 calls; names and string values are UTF-8.
#include "shell/Registry.h"

namespace zv::win {

class TWinRegistry final : public IRegistry {
  public:
    std::unique_ptr<IRegistryKey> OpenKey(uint32_t root, const std::string& path,
                                          uint32_t access) override;
};

}  // namespace zv::win
