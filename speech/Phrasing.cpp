#include "speech/Phrasing.h"

#include "core/Errors.h"

namespace zv {

std::string NumberFile(unsigned n) {
    return std::to_string(n) + ".wav";
}

// One and two of the minutes are feminine: одна минута, две минуты.
std::string FeminineNumber(unsigned n) {
    if (n == 1) return "odna.wav";
    if (n == 2) return "dve.wav";
    return NumberFile(n);
}

std::string HourWord(unsigned h) {
    std::string file;
    if (h == 0 || (h >= 5 && h <= 20)) file = "chasov.wav";
    if (h == 1 || h == 21) file = "chas.wav";
    const unsigned last = h % 10;
    if (last >= 2 && last <= 4 && (h < 12 || h > 14)) file = "chasa.wav";
    return file;
}

std::string MinuteWord(unsigned m) {
    const unsigned u = m > 20 ? m % 10 : m;
    if (u == 1) return "minuta.wav";
    if (u >= 2 && u <= 4) return "minuty.wav";
    return "minut.wav";
}

namespace {

using Files = std::vector<std::string>;

// There is no "21.wav": 21..23 are "20.wav" and the units.
void OfficialHour(Files& chain, unsigned h) {
    if (h >= 21) {
        chain.push_back("20.wav");
        chain.push_back(NumberFile(h % 10));
    } else {
        chain.push_back(NumberFile(h));
    }
    chain.push_back(HourWord(h));
}

// The official chains fill the empty units of 20, 30, 40 and 50 with a short
// silence of their own; the colloquial ones go straight on to «минут».
void Minutes(Files& chain, unsigned m, bool unitsSlot) {
    if (m < 20) {
        chain.push_back(FeminineNumber(m));
    } else {
        chain.push_back(NumberFile(m / 10 * 10));
        if (m % 10 != 0) {
            chain.push_back(FeminineNumber(m % 10));
        } else if (unitsSlot) {
            chain.push_back("0_0.wav");
        }
    }
    chain.push_back(MinuteWord(m));
}

std::string PartOfDay(unsigned h) {
    if (h < 4) return "nochi.wav";
    if (h < 12) return "utra.wav";
    if (h < 17) return "dnya.wav";
    return "vechera.wav";
}

// The hour as the 12-hour dial shows it: 0 and 12 are twelve.
unsigned OnDial(unsigned h) {
    return h % 12 == 0 ? 12 : h % 12;
}

// «три часа дня», «пять минут третьего дня», «без пяти три дня»: the part of
// day is that of the hour the phrase names.
Files Colloquial(unsigned h, unsigned m) {
    Files chain;
    if (m == 0) {
        const unsigned dial = OnDial(h);
        if (dial == 1) {
            chain.push_back("chas.wav");  // «час ночи», not «один час ночи»
        } else {
            chain.push_back(NumberFile(dial));
            chain.push_back(HourWord(dial));
        }
        chain.push_back(PartOfDay(h));
    } else if (m < 40) {
        if (m == 15) {
            chain.push_back("chetvert.wav");
        } else if (m == 30) {
            chain.push_back("polovina.wav");
        } else if (m == 1) {
            chain.push_back("minuta.wav");  // «минута первого», not «одна минута первого»
        } else {
            Minutes(chain, m, false);
        }
        chain.push_back(std::to_string(OnDial(h + 1)) + "_ord.wav");
        chain.push_back(PartOfDay(h));
    } else {
        const unsigned left = 60 - m;
        const unsigned next = (h + 1) % 24;
        chain.push_back("bez.wav");
        if (left == 15) {
            chain.push_back("chetverti.wav");
        } else if (left == 1) {
            chain.push_back("minuty.wav");  // «без минуты три», not «без одной минуты три»
        } else {
            chain.push_back(std::to_string(left) + "_gen.wav");
            // «без пяти три», but «без трёх минут три».
            if (left % 5 != 0) chain.push_back("minut.wav");
        }
        const unsigned dial = OnDial(next);
        chain.push_back(dial == 1 ? "chas.wav" : NumberFile(dial));
        chain.push_back(PartOfDay(next));
    }
    return chain;
}

}  // namespace

std::vector<std::string> SpokenChain(SpeechStyle style, unsigned hour, unsigned minute) {
    if (hour > 23 || minute > 59) throw Exception("no such time of day");
    const bool styled = style == SpeechStyle::OfficialExact || style == SpeechStyle::Colloquial;
    if (styled && minute == 0 && hour % 12 == 0) {
        return {hour == 0 ? "polnoch.wav" : "polden.wav"};
    }
    if (style == SpeechStyle::Colloquial) return Colloquial(hour, minute);
    Files chain;
    OfficialHour(chain, hour);
    if (style == SpeechStyle::OfficialExact && minute == 0) {
        chain.push_back("rovno.wav");
    } else {
        Minutes(chain, minute, true);
    }
    return chain;
}

}  // namespace zv
