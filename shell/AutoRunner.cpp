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

bool TAutoRunner::WriteAutoRun(TRegLocation location) {
    if (!IsRunTime()) return true;
    const std::string path = RelativeKeyPath();
    const uint32_t target = RootOf(location);
    if (autoRun_) {
        auto key = registry_.OpenKey(target, path, kKeyAllAccess);
        // Quoted, so that a path with blanks cannot be read as a shorter program
        // plus arguments. Until this write has succeeded the old value stays:
        // a refused write must not leave the user with no autostart at all.
        if (!key || !key->SetStringValue(appName_, "\"" + exePath_ + "\"")) return false;
    }
    bool done = true;
    for (uint32_t root : {kHKeyCurrentUser, kHKeyLocalMachine}) {
        if (autoRun_ && root == target) continue;
        if (auto key = registry_.OpenKey(root, path, kKeyAllAccess)) {
            // A value that is not there is what was asked for; one that stays is
            // caught by the read below.
            (void)key->DeleteValue(appName_);
        }
        // With AutoRun on, a second value elsewhere only starts the same program;
        // with it off, a value that stays means autostart is still on.
        if (!autoRun_ && !ReadValue(root).empty()) done = false;
    }
    return done;
}

void TAutoRunner::ReadBack() {
    bool found = !ReadValue(kHKeyCurrentUser).empty();
    if (found) {
        regLocation_ = TRegLocation::CurrentUser;
    } else if (!ReadValue(kHKeyLocalMachine).empty()) {
        regLocation_ = TRegLocation::LocalMachine;
        found = true;
    }
    autoRun_ = found;
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

bool TAutoRunner::SetRegLocation(TRegLocation value) {
    if (value == regLocation_) return true;
    const TRegLocation old = regLocation_;
    const bool done = WriteAutoRun(value);
    regLocation_ = value;
    CheckRunWhere();
    if (!done) {
        regLocation_ = old;
        ReadBack();
    }
    return done;
}

void TAutoRunner::SetAutoRunWhere(TAutoRunWhere value) {
    if (value == autoRunWhere_) return;
    autoRunWhere_ = value;
    CheckRunWhere();
    keyPath_ = std::string(kKeyPathPrefix) + AutoRunWhereName(autoRunWhere_);
}

bool TAutoRunner::SetAutoRun(bool value) {
    if (value == autoRun_) return true;
    if (!IsRunTime()) return true;
    autoRun_ = value;
    CheckRunWhere();
    const bool done = WriteAutoRun(regLocation_);
    if (!done) ReadBack();
    return done;
}

void TAutoRunner::SetAppName(const std::string& value) {
    if (Has(csLoading)) {
        appName_ = value;
        // The registry, not the stored AutoRun, says whether autostart is on.
        ReadBack();
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
