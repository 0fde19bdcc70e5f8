#include "shell/AutoRunner.h"

#include <utility>

#include "core/Paths.h"
#include "shell/Registry.h"

namespace zv {
namespace {

constexpr const char* kKeyPathPrefix = "\\Software\\Microsoft\\Windows\\CurrentVersion\\";

uint32_t RootOf(TRegLocation location) {
    return location == TRegLocation::LocalMachine ? kHKeyLocalMachine : kHKeyCurrentUser;
}

std::string FinalOf(const std::string& path, IAutoRunFiles* files) {
    return files ? files->FinalPath(path) : path;
}

// The file a command line names, and what follows it. A quoted program ends
// at its closing quote; an unquoted one at the first blank after which the
// text before names a file, as the system reads it; else it is all the text.
std::pair<std::string, std::string> SplitCommand(const std::string& text, IAutoRunFiles* files) {
    if (text.starts_with('"')) {
        const size_t close = text.find('"', 1);
        if (close == std::string::npos) return {text.substr(1), {}};
        const size_t rest = text.find_first_not_of(' ', close + 1);
        return {text.substr(1, close - 1), rest == std::string::npos ? "" : text.substr(rest)};
    }
    if (!FinalOf(text, files).empty()) return {text, {}};
    for (size_t blank = text.find(' '); blank != std::string::npos;
         blank = text.find(' ', blank + 1)) {
        if (!FinalOf(text.substr(0, blank), files).empty())
            return {text.substr(0, blank), text.substr(blank + 1)};
    }
    return {text, {}};
}

}  // namespace

RunValue ClassifyRunValue(const std::string& text, const std::string& exeFinalPath,
                          IAutoRunFiles* files) {
    if (text.empty()) return {};
    auto [program, arguments] = SplitCommand(text, files);
    const std::string final = FinalOf(program, files);
    TRunValueOwner owner = TRunValueOwner::Stale;
    if (!final.empty() && arguments.empty() && SameText(final, exeFinalPath)) {
        owner = TRunValueOwner::Ours;
    } else if (!final.empty() && !SameText(FileNameOf(final), "Zvenoks.exe")) {
        owner = TRunValueOwner::Foreign;
    }
    return {owner, std::move(program)};
}

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

TAutoRunner::TAutoRunner(TComponent* owner, IRegistry& registry, std::string exePath,
                         IAutoRunFiles* files)
    : TComponent(owner),
      registry_(registry),
      exePath_(std::move(exePath)),
      files_(files),
      exeFinalPath_(FinalOf(exePath_, files)) {
    if (exeFinalPath_.empty()) exeFinalPath_ = exePath_;
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
    refusal_ = TAutoRunRefusal::None;
    if (!IsRunTime()) return true;
    const std::string path = RelativeKeyPath();
    const uint32_t target = RootOf(location);
    if (autoRun_) {
        // Another program's value of the same name stays as it is.
        if (RunValue there = ValueAt(target); there.owner == TRunValueOwner::Foreign) {
            refusal_ = TAutoRunRefusal::ForeignValue;
            foreignProgram_ = std::move(there.program);
            return false;
        }
        // Whoever can replace the exe would run code as the next administrator to log on.
        if (location == TRegLocation::LocalMachine && files_ &&
            files_->UsersMayReplace(exeFinalPath_)) {
            refusal_ = TAutoRunRefusal::ReplaceableExe;
            return false;
        }
        auto key = registry_.OpenKey(target, path, kKeyAllAccess);
        // Quoted, so that a path with blanks cannot be read as a shorter program
        // plus arguments. Until this write has succeeded the old value stays:
        // a refused write must not leave the user with no autostart at all.
        if (!key || !key->SetStringValue(appName_, "\"" + exePath_ + "\"")) {
            refusal_ = TAutoRunRefusal::Registry;
            return false;
        }
    }
    bool done = true;
    for (uint32_t root : {kHKeyCurrentUser, kHKeyLocalMachine}) {
        if (autoRun_ && root == target) continue;
        // Another program's value stays; an empty one never started anything.
        const TRunValueOwner owner = ValueAt(root).owner;
        if (owner == TRunValueOwner::Foreign) continue;
        auto key = registry_.OpenKey(root, path, kKeyAllAccess);
        const bool deleted = key && key->DeleteValue(appName_);
        // With AutoRun on, a second value elsewhere only starts the same program;
        // with it off, a value that stays means autostart is still on.
        if (!deleted && !autoRun_ && owner == TRunValueOwner::Ours) done = false;
    }
    if (!done) refusal_ = TAutoRunRefusal::Registry;
    return done;
}

void TAutoRunner::ReadBack() {
    // Only a value naming this executable is the clock's autostart.
    bool found = ValueAt(kHKeyCurrentUser).owner == TRunValueOwner::Ours;
    if (found) {
        regLocation_ = TRegLocation::CurrentUser;
    } else if (ValueAt(kHKeyLocalMachine).owner == TRunValueOwner::Ours) {
        regLocation_ = TRegLocation::LocalMachine;
        found = true;
    }
    autoRun_ = found;
}

RunValue TAutoRunner::ValueAt(uint32_t root) const {
    return ClassifyRunValue(ReadValue(root), exeFinalPath_, files_);
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
