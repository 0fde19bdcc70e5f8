// The input is config.cfg (and dir.cfg) as found on disk. Over it: the
// searches and the value lookup, the line-break adjustment of the load, the
// start-up work with the hotkey's start-up path and the start mode, the
// re-registration tick after an Apply, and an Apply of whatever the dialog
// then shows, read back by the next start.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Startup.h"
#include "core/Errors.h"
#include "settings/FileStore.h"
#include "settings/Form3Handlers.h"
#include "settings/Hotkey.h"
#include "settings/Memo.h"
#include "settings/SettingsText.h"
#include "shell/AutoRunner.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/unit/FakeRegistry.h"

namespace zv {
namespace {

// --- References, written the slow and obvious way. ---

std::optional<size_t> FirstAt(std::string_view text, std::string_view what) {
    for (size_t i = 0; i + what.size() <= text.size(); ++i) {
        size_t j = 0;
        while (j < what.size() && text[i + j] == what[j]) ++j;
        if (j == what.size()) return i;
    }
    return std::nullopt;
}

bool Has(std::string_view text, std::string_view what) {
    return FirstAt(text, what).has_value();
}

// The character after the first `prefix`, if there is one.
std::optional<char> After(std::string_view text, std::string_view prefix) {
    auto at = FirstAt(text, prefix);
    if (!at || *at + prefix.size() >= text.size()) return std::nullopt;
    return text[*at + prefix.size()];
}

std::optional<int> Digit(std::string_view text, std::string_view prefix) {
    auto c = After(text, prefix);
    if (!c || *c < '0' || *c > '9') return std::nullopt;
    return *c - '0';
}

// ValueLookup's answer; the one exception it documents, with its exact text.
std::optional<int> Lookup(std::string_view text, std::string_view prefix) {
    try {
        return ValueLookup(text, prefix);
    } catch (const EConvertError& e) {
        auto c = After(text, prefix);
        // A NUL byte taken as the value is left out, so the box shows the whole text.
        const bool shown = c && *c != '\0';
        const std::string expected =
            "'" + std::string(shown ? 1 : 0, c.value_or(' ')) + "' is not a valid integer value";
        ZV_CHECK(std::string_view(e.what()) == expected);
        return std::nullopt;
    }
}

void CheckSearches(std::string_view text) {
    std::vector<std::string_view> prefixes = {
        "Hotkey=0", "Hotkey=1", "Key=", "Run=", "Run=2", "", "="};
    // Pieces of the text itself, so that searches for arbitrary bytes hit too.
    for (size_t n = 1; n <= 4 && n <= text.size(); ++n) {
        prefixes.push_back(text.substr(0, n));
        prefixes.push_back(text.substr(text.size() - n));
        prefixes.push_back(text.substr(text.size() / 2, n));
    }
    for (std::string_view p : prefixes) {
        ZV_CHECK(Contains(text, p) == Has(text, p));
        ZV_CHECK(Lookup(text, p) == Digit(text, p));
    }
}

// The text as characters and line breaks, a CR LF pair being one break.
std::vector<int> Tokens(std::string_view text) {
    std::vector<int> tokens;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            tokens.push_back(-1);
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            tokens.push_back(static_cast<unsigned char>(text[i]));
        }
    }
    return tokens;
}

void CheckLineBreaks(std::string_view raw, const std::string& adjusted) {
    ZV_CHECK(Tokens(adjusted) == Tokens(raw));
    for (size_t i = 0; i < adjusted.size(); ++i) {
        if (adjusted[i] == '\r') ZV_CHECK(i + 1 < adjusted.size() && adjusted[i + 1] == '\n');
        if (adjusted[i] == '\n') ZV_CHECK(i > 0 && adjusted[i - 1] == '\r');
    }
    ZV_CHECK(AdjustLineBreaks(adjusted) == adjusted);
}

// --- The machine, the main window and the dialog. ---

class MemFiles final : public IFileStore {
  public:
    std::string ReadAll(const std::string& name) override {
        auto it = files.find(name);
        if (it == files.end()) throw EFileStoreFailure("The system cannot find the file");
        return it->second;
    }
    void WriteAll(const std::string& name, std::string_view bytes) override {
        files[name] = std::string(bytes);
    }
    std::string FullPath(const std::string& name) override { return "C:\\Zvenoks\\" + name; }

    std::map<std::string, std::string> files;
};

class Machine final : public IStartupPlatform {
  public:
    Machine(MemFiles& files, bool programHere) : files_(files), programHere_(programHere) {}
    bool FileExists(const std::string& name) override {
        if (name == "Zvenoks.exe") return programHere_;
        return files_.files.count(name) != 0;
    }
    std::string CurrentDirectory() override { return "C:\\Start"; }
    bool ChangeDirectory(const std::string& path) override {
        changedTo.push_back(path);
        return true;
    }
    std::string ExeDirectory() override { return {}; }
    std::optional<std::string> ExecuteOpenDialog() override {
        ZV_CHECK(!"the program directory is known: no dialog");
        return std::nullopt;
    }
    std::string FromAnsiCodePage(const std::string& bytes) override { return bytes; }
    void ProgramFolderSettled() override {}

    std::vector<std::string> changedTo;

  private:
    MemFiles& files_;
    bool programHere_;
};

class Window final : public IStartupWindow {
  public:
    void HideApplicationWindow() override {}
    void ApplyLayout() override {}
    void ShowMainWindowAndControls() override {}
    void HideMainWindow() override { ++hides; }
    int hides = 0;
};

using C = TForm3Control;

// The dialog in its design state: hotkey on, nothing selected.
class Controls final : public IForm3Controls {
  public:
    bool Checked(C c) const override { return checked.count(c) != 0 && checked.at(c); }
    void SetCheckState(C c, bool on) override { checked[c] = on; }
    void SetEnabled(C c, bool on) override { enabled[c] = on; }
    int ItemIndex(C c) const override { return itemIndex.at(c); }
    void SetComboText(C c, const std::string& t, int index) override {
        text[c] = t;
        itemIndex[c] = index;
    }
    void HideDialog() override {}

    std::map<C, bool> checked{{Form3Control("CheckBox1"), true}};
    std::map<C, bool> enabled;
    std::map<C, int> itemIndex{{Form3Control("ComboBox1"), -1}, {Form3Control("ComboBox2"), -1}};
    std::map<C, std::string> text{{Form3Control("ComboBox1"), "F11"},
                                  {Form3Control("ComboBox2"), "На весь экран"}};
};

class Keys final : public IHotkeyPlatform {
  public:
    void Unregister(int id) override {
        ZV_CHECK(id == kHotkeyId);
        ++unregisters;
    }
    void Register(int id, unsigned modifiers, unsigned vk) override {
        ZV_CHECK(id == kHotkeyId && modifiers == kHotkeyModifiers);
        registered.push_back(vk);
    }
    int unregisters = 0;
    std::vector<unsigned> registered;
};

// One start of the program over the files given.
struct App {
    explicit App(bool programHere) : machine(files, programHere) {}

    // False when the start-up work stopped at a bad value.
    bool Start() {
        try {
            work.Run();
            return true;
        } catch (const EConvertError&) {
            return false;
        }
    }

    MemFiles files;
    Machine machine;
    Window window;
    Controls controls;
    Keys keys;
    std::vector<std::string> tips;
    test::TFakeRegistry registry;
    TAutoRunner autoRunner1{nullptr, registry, "C:\\Zvenoks\\Zvenoks.exe"};
    TMemo memo1{files};
    std::string settingsText;
    uint16_t startupPhase = 1;
    TForm3Handlers form3{controls, memo1, autoRunner1, startupPhase};
    THotkeyRegistration hotkey{keys, [this](const std::string& tip) { tips.push_back(tip); }};
    TStartupWork work{machine, window, memo1, settingsText, startupPhase, form3, [this] {
                          hotkey.StartupPath(settingsText, form3);
                      }};
};

// The registrations a key value makes: its row's, or none without a row.
std::vector<unsigned> RowKeys(std::optional<int> key) {
    for (const HotkeyRow& row : kHotkeyTable) {
        if (key == row.key) return {row.vk};
    }
    return {};
}

// What a start over `text` (already adjusted) must leave behind.
void CheckStart(const App& app, const std::string& text, bool finished) {
    ZV_CHECK(app.settingsText == text && app.memo1.Text() == text);
    ZV_CHECK(app.startupPhase == 0);
    ZV_CHECK(app.keys.unregisters == 1);

    const bool hotkeyOn = Has(text, "Hotkey=1") && Has(text, "Key=");
    const auto key = Digit(text, "Key=");
    const bool hotkeyFailed = hotkeyOn && !key;
    const auto run = Digit(text, "Run=");
    ZV_CHECK(finished == !(hotkeyFailed || (Has(text, "Run=") && !run)));

    ZV_CHECK(app.controls.Checked(Form3Control("CheckBox1")) == !Has(text, "Hotkey=0"));
    const int combo1 = hotkeyOn && key >= 1 && key <= 5 ? *key - 1 : -1;
    ZV_CHECK(app.controls.itemIndex.at(Form3Control("ComboBox1")) == combo1);
    const auto registered = hotkeyOn ? RowKeys(key) : std::vector<unsigned>{};
    ZV_CHECK(app.keys.registered == registered);
    ZV_CHECK(app.tips.size() == registered.size());

    ZV_CHECK(app.window.hides == (!hotkeyFailed && Has(text, "Run=2") ? 1 : 0));
    const int combo2 = finished && (run == 1 || run == 2) ? *run - 1 : -1;
    ZV_CHECK(app.controls.itemIndex.at(Form3Control("ComboBox2")) == combo2);
}

// The tick after an Apply, with any settings text and memo.
void CheckReregistration(const std::string& settings, const std::string& memo) {
    struct : ISettingsControls {
        void SetCheckBox1Checked(bool) override { ZV_CHECK(!"the tick leaves the box alone"); }
        void SetComboBox1Text(const std::string& t) override { combo1 = t; }
        void SetComboBox2Text(const std::string&) override { ZV_CHECK(!"nor the start mode"); }
        std::optional<std::string> combo1;
    } form3;
    Keys keys;
    THotkeyRegistration hotkey{keys, [](const std::string&) {}};
    uint16_t phase = 2;
    std::string text = settings;
    bool threw = false;
    try {
        hotkey.Reregistration(phase, text, memo, form3);
    } catch (const EConvertError&) {
        threw = true;
    }
    const bool off = Has(settings, "Hotkey=0") && Has(settings, "Key=");
    const bool on = Has(settings, "Hotkey=1") && Has(settings, "Key=");
    const auto key = Digit(memo, "Key=");
    ZV_CHECK(keys.unregisters == int{off} + int{on});
    ZV_CHECK(text == (on ? memo : settings));
    ZV_CHECK(threw == (on && !key));
    ZV_CHECK(phase == (on && key ? 0 : 2));
    ZV_CHECK(keys.registered == (on ? RowKeys(key) : std::vector<unsigned>{}));
    ZV_CHECK(form3.combo1.has_value() == (on && key));
}

void Fuzz(std::string_view raw) {
    CheckSearches(raw);
    const std::string adjusted = AdjustLineBreaks(raw);
    CheckLineBreaks(raw, adjusted);
    CheckSearches(adjusted);

    // Started from the program directory.
    App first(true);
    first.files.files["config.cfg"] = std::string(raw);
    CheckStart(first, adjusted, first.Start());
    ZV_CHECK(first.machine.changedTo.empty());

    // Started elsewhere, dir.cfg naming the program directory.
    App elsewhere(false);
    elsewhere.files.files["dir.cfg"] = std::string(raw);
    elsewhere.files.files["config.cfg"] = std::string(raw);
    const bool finished = elsewhere.Start();
    ZV_CHECK(elsewhere.machine.changedTo.size() == 1);
    const std::string& dir = elsewhere.machine.changedTo[0];
    ZV_CHECK(dir == WithoutFinalLineBreak(adjusted));
    CheckStart(elsewhere, adjusted, finished);

    // Apply of what the dialog shows, then the next tick and the next start.
    const bool checked = first.controls.Checked(Form3Control("CheckBox1"));
    const int combo1 = first.controls.itemIndex.at(Form3Control("ComboBox1"));
    const int combo2 = first.controls.itemIndex.at(Form3Control("ComboBox2"));
    first.form3.Button1Click();
    ZV_CHECK(first.startupPhase == 2);
    const std::string written = first.files.files.at("config.cfg");
    ZV_CHECK(written == first.memo1.Text());
    const int key = combo1 >= 1 && combo1 <= 4 ? combo1 + 1 : 1;
    ZV_CHECK(written ==
             HotkeyLine(checked) + "\r\n" + KeyLine(combo1) + "\r\n" + RunLine(combo2) + "\r\n");

    first.keys = Keys{};
    first.settingsText = first.memo1.Text();
    first.hotkey.Reregistration(first.startupPhase, first.settingsText, first.memo1.Text(),
                                first.form3);
    ZV_CHECK(first.startupPhase == (checked ? 0 : 2));
    ZV_CHECK(first.keys.registered == (checked ? RowKeys(key) : std::vector<unsigned>{}));

    App next(true);
    next.files.files["config.cfg"] = written;
    ZV_CHECK(next.Start());
    CheckStart(next, written, true);
    ZV_CHECK(next.controls.Checked(Form3Control("CheckBox1")) == checked);
    ZV_CHECK(next.keys.registered == (checked ? RowKeys(key) : std::vector<unsigned>{}));
    ZV_CHECK(next.controls.itemIndex.at(Form3Control("ComboBox2")) == (combo2 == 1 ? 1 : 0));

    CheckReregistration(std::string(raw), adjusted);
    CheckReregistration(adjusted, std::string(raw));
}

}  // namespace
}  // namespace zv

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zv::Fuzz(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
