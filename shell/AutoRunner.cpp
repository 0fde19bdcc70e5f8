#include "shell/AutoRunner.h"

#include <utility>

#include "shell/Registry.h"

namespace zv {
namespace {

constexpr const char* kKeyPathPrefix = "\\Software\\Microsoft\\Windows\\CurrentVersion\\";

uint32_t RootOf(TRegLocation location) {
    return location == TRegLocation::LocalMachine ? kHKeyLocalMachine : kHKeyCurrentUser;
}

}  // namespace

const char* AutoRunWhereName(TAutoRunWhere where) {
    switch (where) {
        case TAutoRunWhere::Run:
            return "Run";
        case TAutoRunWhere::RunOnce:
            return "RunOnce";
        case TAutoRunWhere::RunServices:
            return "RunServices";
        case TAutoRunWhere::RunServicesOnce:
            return "RunServicesOnce";
    }
    return "Run";
}

TAutoRunner::TAutoRunner(TComponent* owner, IRegistry& registry, std::string exePath)
    : TComponent(owner), registry_(registry), exePath_(std::move(exePath)) {
    // A component placed on a form in the designer gets its default name.
    if (!IsRunTime()) SetAppName("MyApplication");
    keyPath_ = std::string(kKeyPathPrefix) + "Run";
}

bool TAutoRunner::IsRunTime() const {
    return !Has(csDesigning) && !Has(csReading) && !Has(csLoading);
}

void TAutoRunner::CheckRunWhere() {
    if (regLocation_ == TRegLocation::CurrentUser &&
        (autoRunWhere_ == TAutoRunWhere::RunServices ||
         autoRunWhere_ == TAutoRunWhere::RunServicesOnce)) {
        autoRunWhere_ = TAutoRunWhere::Run;
    }
}

std::string TAutoRunner::RelativeKeyPath() const {
    // The leading backslash only says the path starts at the root.
    return keyPath_.starts_with('\\') ? keyPath_.substr(1) : keyPath_;
}

void TAutoRunner::WriteAutoRun(TRegLocation location) {
    if (!IsRunTime()) return;
    const std::string path = RelativeKeyPath();
    for (uint32_t root : {kHKeyCurrentUser, kHKeyLocalMachine}) {
        if (auto key = registry_.OpenKey(root, path, kKeyAllAccess)) {
            // A value that is not there, or cannot be deleted, is no concern of the caller.
            (void)key->DeleteValue(appName_);
        }
    }
    auto key = registry_.OpenKey(RootOf(location), path, kKeyAllAccess);
    if (key && autoRun_) {
        // Quoted, so that a path with blanks cannot be read as a shorter program
        // plus arguments. A refused write is silent: the next start-up reads the truth.
        (void)key->SetStringValue(appName_, "\"" + exePath_ + "\"");
    }
}

std::string TAutoRunner::ReadValue(uint32_t root) const {
    // Query access is enough to read, and is all a standard user has under the
    // local machine.
    auto key = registry_.OpenKey(root, RelativeKeyPath(), kKeyQueryValue);
    if (!key) return {};
    uint32_t type = 0;
    uint32_t size = 0;
    if (!key->QueryValueInfo(appName_, type, size)) return {};
    if ((type != kRegSz && type != kRegExpandSz) || size == 0) return {};
    std::string data(size, '\0');
    if (!key->QueryValueData(appName_, data)) return {};
    return data.substr(0, data.find('\0'));
}

void TAutoRunner::SetRegLocation(TRegLocation value) {
    if (value == regLocation_) return;
    WriteAutoRun(value);
    regLocation_ = value;
    CheckRunWhere();
}

void TAutoRunner::SetAutoRunWhere(TAutoRunWhere value) {
    if (value == autoRunWhere_) return;
    autoRunWhere_ = value;
    CheckRunWhere();
    keyPath_ = std::string(kKeyPathPrefix) + AutoRunWhereName(autoRunWhere_);
}

void TAutoRunner::SetAutoRun(bool value) {
    if (value == autoRun_) return;
    if (!IsRunTime()) return;
    autoRun_ = value;
    CheckRunWhere();
    WriteAutoRun(regLocation_);
}

void TAutoRunner::SetAppName(const std::string& value) {
    if (Has(csLoading)) {
        appName_ = value;
        // The registry, not the stored AutoRun, says whether autostart is on.
        bool found = !ReadValue(kHKeyCurrentUser).empty();
        if (found) {
            regLocation_ = TRegLocation::CurrentUser;
        } else if (!ReadValue(kHKeyLocalMachine).empty()) {
            regLocation_ = TRegLocation::LocalMachine;
            found = true;
        }
        autoRun_ = found;
        return;
    }
    if (!IsRunTime() && !value.empty() && value != appName_) appName_ = value;
}

void ApplyStoredValues(TAutoRunner& autoRunner1) {
    autoRunner1.SetRegLocation(TRegLocation::CurrentUser);
    autoRunner1.SetAutoRunWhere(TAutoRunWhere::Run);
    autoRunner1.SetAutoRun(true);
    autoRunner1.SetAppName("MyApplication");
}

}  // namespace zv
