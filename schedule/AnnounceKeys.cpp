#include "schedule/AnnounceKeys.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <type_traits>

#include "schedule/AnnounceChoices.h"
#include "voices/VoiceList.h"

namespace zv {
namespace {

using Voices = std::vector<VoiceEntry>;

// A small decimal number: one to three digits, nothing else.
std::optional<int> SmallNumber(std::string_view s) {
    if (s.empty() || s.size() > 3) return std::nullopt;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::optional<int> Hour(std::string_view s) {
    if (s.size() > 2) return std::nullopt;
    const std::optional<int> n = SmallNumber(s);
    if (!n || *n > kHours - 1) return std::nullopt;
    return n;
}

// A number from 0 to Max, held as an int or as an enum of those values; the
// dialog's list item or slider position is the number itself.
template <auto Field, int AnnounceControls::*Control, int Max>
struct Number {
    using Value = std::remove_reference_t<decltype(AnnounceSettings{}.*Field)>;
    static bool Read(std::string_view value, AnnounceSettings& s) {
        const std::optional<int> n = SmallNumber(value);
        if (!n || *n > Max) return false;
        s.*Field = static_cast<Value>(*n);
        return true;
    }
    static std::string Write(const AnnounceSettings& s) {
        return std::to_string(static_cast<int>(s.*Field));
    }
    static void Reset(AnnounceSettings& s) { s.*Field = AnnounceSettings{}.*Field; }
    static void Show(const AnnounceSettings& s, const Voices&, AnnounceControls& c) {
        c.*Control = std::clamp(static_cast<int>(s.*Field), 0, Max);
    }
    static void Take(const AnnounceControls& c, const Voices&, AnnounceSettings& s) {
        s.*Field = static_cast<Value>(std::clamp(c.*Control, 0, Max));
    }
};

// A number that is the item of a list of the dialog's texts.
template <auto Field, int AnnounceControls::*Control, const auto& Texts>
using Listed = Number<Field, Control, static_cast<int>(Texts.size()) - 1>;

// A number the dialog offers in its list of choices, and no other; one it
// cannot show comes out as the first choice.
template <int AnnounceSettings::*Field, int AnnounceControls::*Control, const auto& Choices>
struct Choice {
    static int Item(int value) {
        for (size_t i = 0; i < Choices.size(); ++i) {
            if (Choices[i].minutes == value) return static_cast<int>(i);
        }
        return -1;
    }
    static bool Read(std::string_view value, AnnounceSettings& s) {
        const std::optional<int> n = SmallNumber(value);
        if (!n || Item(*n) < 0) return false;
        s.*Field = *n;
        return true;
    }
    static std::string Write(const AnnounceSettings& s) { return std::to_string(s.*Field); }
    static void Reset(AnnounceSettings& s) { s.*Field = AnnounceSettings{}.*Field; }
    static void Show(const AnnounceSettings& s, const Voices&, AnnounceControls& c) {
        c.*Control = std::max(Item(s.*Field), 0);
    }
    static void Take(const AnnounceControls& c, const Voices&, AnnounceSettings& s) {
        const int last = static_cast<int>(Choices.size()) - 1;
        s.*Field = Choices[static_cast<size_t>(std::clamp(c.*Control, 0, last))].minutes;
    }
};

// 0 or 1; a check box.
template <bool AnnounceSettings::*Field, bool AnnounceControls::*Control>
struct Flag {
    static bool Read(std::string_view value, AnnounceSettings& s) {
        const std::optional<int> n = SmallNumber(value);
        if (!n || *n > 1) return false;
        s.*Field = *n == 1;
        return true;
    }
    static std::string Write(const AnnounceSettings& s) { return s.*Field ? "1" : "0"; }
    static void Reset(AnnounceSettings& s) { s.*Field = AnnounceSettings{}.*Field; }
    static void Show(const AnnounceSettings& s, const Voices&, AnnounceControls& c) {
        c.*Control = s.*Field;
    }
    static void Take(const AnnounceControls& c, const Voices&, AnnounceSettings& s) {
        s.*Field = c.*Control;
    }
};

// "23-7", or "" for none; the check box and the two hour lists.
struct QuietHours {
    static bool Read(std::string_view value, AnnounceSettings& s) {
        if (value.empty()) {
            // No quiet hours; the hours kept are the defaults, so that one
            // file text means one record (and the dialog offers them when ticked).
            Reset(s);
            s.quiet = false;
            return true;
        }
        const size_t dash = value.find('-');
        if (dash == std::string_view::npos) return false;
        const std::optional<int> from = Hour(TrimBlanks(value.substr(0, dash)));
        const std::optional<int> to = Hour(TrimBlanks(value.substr(dash + 1)));
        if (!from || !to) return false;
        s.quiet = true;
        s.quietFrom = *from;
        s.quietTo = *to;
        return true;
    }
    static std::string Write(const AnnounceSettings& s) {
        if (!s.quiet) return "";
        return std::to_string(s.quietFrom) + "-" + std::to_string(s.quietTo);
    }
    static void Reset(AnnounceSettings& s) {
        const AnnounceSettings defaults;
        s.quiet = defaults.quiet;
        s.quietFrom = defaults.quietFrom;
        s.quietTo = defaults.quietTo;
    }
    static void Show(const AnnounceSettings& s, const Voices&, AnnounceControls& c) {
        c.quiet = s.quiet;
        c.quietFrom = std::clamp(s.quietFrom, 0, kHours - 1);
        c.quietTo = std::clamp(s.quietTo, 0, kHours - 1);
    }
    static void Take(const AnnounceControls& c, const Voices&, AnnounceSettings& s) {
        s.quiet = c.quiet;
        s.quietFrom = std::clamp(c.quietFrom, 0, kHours - 1);
        s.quietTo = std::clamp(c.quietTo, 0, kHours - 1);
    }
};

// "" for the standard voice, else a pack's folder; the voice list, where an
// incomplete pack or one that is gone shows as the standard voice.
struct VoiceFolder {
    static bool Read(std::string_view value, AnnounceSettings& s) {
        if (!value.empty() && !IsSafeVoiceName(value)) return false;
        s.voice = std::string(value);
        return true;
    }
    static std::string Write(const AnnounceSettings& s) { return s.voice; }
    static void Reset(AnnounceSettings& s) { s.voice = AnnounceSettings{}.voice; }
    static void Show(const AnnounceSettings& s, const Voices& voices, AnnounceControls& c) {
        c.voice = 0;
        if (s.voice.empty()) return;
        for (size_t i = 0; i < voices.size(); ++i) {
            if (voices[i].name == s.voice && voices[i].Complete())
                c.voice = static_cast<int>(i) + 1;
        }
    }
    static void Take(const AnnounceControls& c, const Voices& voices, AnnounceSettings& s) {
        Reset(s);
        // An item that cannot be chosen never reaches the settings.
        if (c.voice > 0 && SelectableVoiceItem(voices, c.voice))
            s.voice = voices[static_cast<size_t>(c.voice - 1)].name;
    }
};

// 75, 100, 125, 150 or 200; chosen in the clock's menus, not in the dialog,
// which leaves it as it is.
struct FaceSize {
    static bool Read(std::string_view value, AnnounceSettings& s) {
        const std::optional<int> n = SmallNumber(value);
        if (!n || std::find(std::begin(kSizes), std::end(kSizes), *n) == std::end(kSizes))
            return false;
        s.size = *n;
        return true;
    }
    static std::string Write(const AnnounceSettings& s) { return std::to_string(s.size); }
    static void Reset(AnnounceSettings& s) { s.size = AnnounceSettings{}.size; }
    static void Show(const AnnounceSettings&, const Voices&, AnnounceControls&) {}
    static void Take(const AnnounceControls&, const Voices&, AnnounceSettings&) {}
    static constexpr int kSizes[] = {75, 100, 125, 150, 200};
};

template <class Value>
constexpr AnnounceKey Row(std::string_view name) {
    return {name, Value::Read, Value::Write, Value::Reset, Value::Show, Value::Take};
}

// In the order Apply writes them. A new setting is a row here, its field in
// AnnounceSettings and its control in the dialog.
constexpr std::array kKeys = {
    Row<Choice<&AnnounceSettings::every, &AnnounceControls::every, kEveryChoices>>("Every"),
    Row<QuietHours>("Quiet"),
    Row<Listed<&AnnounceSettings::chime, &AnnounceControls::chime, kChimeChoices>>("Chime"),
    Row<Number<&AnnounceSettings::volume, &AnnounceControls::volume, 100>>("Volume"),
    Row<Flag<&AnnounceSettings::fullscreen, &AnnounceControls::fullscreen>>("Fullscreen"),
    Row<VoiceFolder>("Voice"),
    Row<Listed<&AnnounceSettings::style, &AnnounceControls::style, kStyleChoices>>("Style"),
    Row<Flag<&AnnounceSettings::date, &AnnounceControls::date>>("Date"),
    Row<Flag<&AnnounceSettings::mic, &AnnounceControls::mic>>("Mic"),
    Row<FaceSize>("Size"),
};

}  // namespace

std::span<const AnnounceKey> AnnounceKeys() {
    return kKeys;
}

const AnnounceKey* FindAnnounceKey(std::string_view name) {
    for (const AnnounceKey& key : kKeys) {
        if (key.name == name) return &key;
    }
    return nullptr;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace zv
