#pragma once
// A registry in memory that records every call as a line of text and can be
// told to refuse: a key that does not open, one that opens for reading only,
// a refused write.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/Registry.h"

namespace zv::test {

class TFakeRegistry final : public IRegistry {
  public:
    struct Value {
        uint32_t type = kRegSz;
        std::string data;  // as stored, a string value's terminating zero included
    };
    struct Key {
        std::map<std::string, Value> values;
        bool readOnly = false;  // opens with query access only, as HKLM does for a standard user
        bool refuseWrites = false;
    };

    static constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    // A key that exists, with no values.
    Key& AddKey(uint32_t root, const std::string& path = kRun) { return keys_[{root, path}]; }
    Key* Find(uint32_t root, const std::string& path = kRun) {
        auto it = keys_.find({root, path});
        return it == keys_.end() ? nullptr : &it->second;
    }
    // A string value as the system stores one.
    void PutString(uint32_t root, const std::string& name, const std::string& text,
                   uint32_t type = kRegSz, const std::string& path = kRun) {
        AddKey(root, path).values[name] = Value{type, text + '\0'};
    }
    // The text of a string value, or "<none>".
    std::string StringAt(uint32_t root, const std::string& name, const std::string& path = kRun) {
        Key* key = Find(root, path);
        if (!key || !key->values.count(name)) return "<none>";
        const std::string& data = key->values[name].data;
        return data.substr(0, data.find('\0'));
    }

    std::vector<std::string> log;

    std::unique_ptr<IRegistryKey> OpenKey(uint32_t root, const std::string& path,
                                          uint32_t access) override {
        std::string line = "open " + RootName(root) + " " + Tail(path) +
                           (access == kKeyQueryValue  ? " read"
                            : access == kKeyAllAccess ? " all"
                                                      : " access?");
        auto it = keys_.find({root, path});
        bool opens = it != keys_.end() && (access == kKeyQueryValue || !it->second.readOnly);
        log.push_back(opens ? line : line + " refused");
        if (!opens) return nullptr;
        return std::make_unique<TFakeKey>(*this, it->second, access == kKeyQueryValue);
    }

    static std::string RootName(uint32_t root) {
        return root == kHKeyCurrentUser ? "HKCU" : root == kHKeyLocalMachine ? "HKLM" : "?";
    }

  private:
    // The key's last path component, or the whole path when it is not under
    // ...\CurrentVersion\ (a wrong path shows in the log).
    static std::string Tail(const std::string& path) {
        const std::string prefix = "Software\\Microsoft\\Windows\\CurrentVersion\\";
        return path.starts_with(prefix) ? path.substr(prefix.size()) : "[" + path + "]";
    }

    class TFakeKey final : public IRegistryKey {
      public:
        TFakeKey(TFakeRegistry& registry, Key& key, bool readOnly)
            : registry_(registry), key_(key), readOnly_(readOnly) {}
        ~TFakeKey() override { registry_.log.push_back("close"); }

        bool QueryValueInfo(const std::string& name, uint32_t& type, uint32_t& size) override {
            registry_.log.push_back("query " + name);
            auto it = key_.values.find(name);
            if (it == key_.values.end()) return false;
            type = it->second.type;
            size = static_cast<uint32_t>(it->second.data.size());
            return true;
        }
        bool QueryValueData(const std::string& name, std::string& data) override {
            registry_.log.push_back("read " + name);
            auto it = key_.values.find(name);
            if (it == key_.values.end() || it->second.data.size() > data.size()) return false;
            data = it->second.data;
            return true;
        }
        bool SetStringValue(const std::string& name, const std::string& text) override {
            registry_.log.push_back("set " + name + "=" + text);
            if (readOnly_ || key_.refuseWrites) return false;
            key_.values[name] = Value{kRegSz, text + '\0'};
            return true;
        }
        bool DeleteValue(const std::string& name) override {
            registry_.log.push_back("delete " + name);
            if (readOnly_) return false;
            return key_.values.erase(name) == 1;
        }

      private:
        TFakeRegistry& registry_;
        Key& key_;
        bool readOnly_;
    };

    std::map<std::pair<uint32_t, std::string>, Key> keys_;
};

}  // namespace zv::test
