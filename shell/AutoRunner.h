#pragma once
// TAutoRunner: makes the system start the running executable at log-on through
// a string value under one of the autostart keys, and finds out at start-up
// whether that value exists.
#include <cstdint>
#include <string>

#include "core/Component.h"

namespace zv {

class IRegistry;

enum class TRegLocation : uint8_t { CurrentUser, LocalMachine };
enum class TAutoRunWhere : uint8_t { Run, RunOnce, RunServices, RunServicesOnce };

// What the component needs of the files a Run value names.
class IAutoRunFiles {
  public:
    virtual ~IAutoRunFiles() = default;
    // The file `path` names, links resolved; "" when no file is there.
    virtual std::string FinalPath(const std::string& path) = 0;
    // A standard user may replace the executable: write or delete it, or
    // write its folder. Also true when its permissions cannot be read.
    virtual bool UsersMayReplace(const std::string& exePath) = 0;
};

// Whose a Run value of the component's name is: the name "MyApplication" is
// one other programs use too.
enum class TRunValueOwner : uint8_t {
    None,     // no value, or an empty one
    Ours,     // names this executable, without arguments
    Stale,    // a Zvenoks.exe elsewhere, or a file no longer there: replaced when autostart is on
    Foreign,  // another program: never written over or deleted
};

struct RunValue {
    TRunValueOwner owner = TRunValueOwner::None;
    std::string program;  // the file the value names
};

// Whose `text` is. exeFinalPath: this executable's final path. Without files
// every path is taken as final and as existing.
RunValue ClassifyRunValue(const std::string& text, const std::string& exeFinalPath,
                          IAutoRunFiles* files);

// Why the last change of AutoRun or RegLocation was refused.
enum class TAutoRunRefusal : uint8_t {
    None,
    Registry,        // the registry refused it
    ForeignValue,    // another program's value is there
    ReplaceableExe,  // all users asked for an executable standard users may replace
};

class TAutoRunner : public TComponent {
  public:
    // exePath: the running executable's full path. files: null takes every
    // path as final and existing and the executable as safe.
    TAutoRunner(TComponent* owner, IRegistry& registry, std::string exePath,
                IAutoRunFiles* files = nullptr);

    TRegLocation RegLocation() const { return regLocation_; }
    // At run time moves the value to the new root (AutoRun on) or deletes it
    // under both roots (AutoRun off). False when the registry refused the
    // change; RegLocation and AutoRun then say what the registry holds.
    bool SetRegLocation(TRegLocation value);

    TAutoRunWhere AutoRunWhere() const { return autoRunWhere_; }
    // Changes the key path only; no registry access.
    void SetAutoRunWhere(TAutoRunWhere value);

    bool AutoRun() const { return autoRun_; }
    // At run time writes or deletes the value at once; otherwise dropped.
    // False when the registry refused the change, as SetRegLocation.
    bool SetAutoRun(bool value);

    const std::string& AppName() const { return appName_; }
    // While loading: stores the name and reads the registry back, which sets
    // AutoRun and possibly RegLocation. Dropped at run time.
    void SetAppName(const std::string& value);

    // The key's path from the root, with its leading backslash.
    const std::string& KeyPath() const { return keyPath_; }

    bool IsRunTime() const;
    // RunServices and RunServicesOnce exist only under the local machine.
    void CheckRunWhere();
    // Writes the value under `location`'s root if AutoRun is on, and only when
    // that write succeeded deletes it under the other root (under both when
    // AutoRun is off). Nothing is thrown; the result says whether the registry
    // now starts the program as asked.
    bool WriteAutoRun(TRegLocation location);

    // After a refused change: why, and for ForeignValue the program named.
    TAutoRunRefusal Refusal() const { return refusal_; }
    const std::string& ForeignProgram() const { return foreignProgram_; }

  private:
    // The value's text under `root`, or "" when there is none to be had.
    std::string ReadValue(uint32_t root) const;
    RunValue ValueAt(uint32_t root) const;
    std::string RelativeKeyPath() const;
    // AutoRun and RegLocation from the registry: the current user's value
    // first. RegLocation stays when no value is found.
    void ReadBack();

    IRegistry& registry_;
    std::string exePath_;
    IAutoRunFiles* files_;
    std::string exeFinalPath_;
    TAutoRunRefusal refusal_ = TAutoRunRefusal::None;
    std::string foreignProgram_;
    TRegLocation regLocation_ = TRegLocation::CurrentUser;
    TAutoRunWhere autoRunWhere_ = TAutoRunWhere::Run;
    bool autoRun_ = false;
    std::string appName_;
    std::string keyPath_;
};

// AutoRunner1's stored values, applied in property order; call it inside the
// main window's LoadComponents.
void ApplyStoredValues(TAutoRunner& autoRunner1);

// The name of a TAutoRunWhere value ("Run", "RunOnce", ...).
const char* AutoRunWhereName(TAutoRunWhere where);

}  // namespace zv
