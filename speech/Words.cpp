#include "speech/Words.h"

#include <iterator>

namespace zv {
namespace {

// tools/make_voice reads these rows as they stand: one a line, stem first.
// clang-format off
const RecordedWord kWords[] = {
    {"0", "ноль"},
    {"1", "один"},
    {"2", "два"},
    {"3", "три"},
    {"4", "четыре"},
    {"5", "пять"},
    {"6", "шесть"},
    {"7", "семь"},
    {"8", "восемь"},
    {"9", "девять"},
    {"10", "десять"},
    {"11", "одиннадцать"},
    {"12", "двенадцать"},
    {"13", "тринадцать"},
    {"14", "четырнадцать"},
    {"15", "пятнадцать"},
    {"16", "шестнадцать"},
    {"17", "семнадцать"},
    {"18", "восемнадцать"},
    {"19", "девятнадцать"},
    {"20", "двадцать"},
    {"30", "тридцать"},
    {"40", "сорок"},
    {"50", "пятьдесят"},
    {"odna", "одна"},
    {"dve", "две"},
    {"chas", "час"},
    {"chasa", "часа"},
    {"chasov", "часов"},
    {"minuta", "минута"},
    {"minuty", "минуты"},
    {"minut", "минут"},
    {"bez", "без"},
    {"chetvert", "четверть"},
    {"chetverti", "четверти"},
    {"polovina", "половина"},
    {"rovno", "ровно"},
    {"polden", "полдень"},
    {"polnoch", "полночь"},
    {"utra", "утра"},
    {"dnya", "дня"},
    {"vechera", "вечера"},
    {"nochi", "ночи"},
    {"1_ord", "первого"},
    {"2_ord", "второго"},
    {"3_ord", "третьего"},
    {"4_ord", "четвёртого"},
    {"5_ord", "пятого"},
    {"6_ord", "шестого"},
    {"7_ord", "седьмого"},
    {"8_ord", "восьмого"},
    {"9_ord", "девятого"},
    {"10_ord", "десятого"},
    {"11_ord", "одиннадцатого"},
    {"12_ord", "двенадцатого"},
    {"1_gen", "одной"},
    {"2_gen", "двух"},
    {"3_gen", "трёх"},
    {"4_gen", "четырёх"},
    {"5_gen", "пяти"},
    {"6_gen", "шести"},
    {"7_gen", "семи"},
    {"8_gen", "восьми"},
    {"9_gen", "девяти"},
    {"10_gen", "десяти"},
    {"11_gen", "одиннадцати"},
    {"12_gen", "двенадцати"},
    {"13_gen", "тринадцати"},
    {"14_gen", "четырнадцати"},
    {"16_gen", "шестнадцати"},
    {"17_gen", "семнадцати"},
    {"18_gen", "восемнадцати"},
    {"19_gen", "девятнадцати"},
    {"20_gen", "двадцати"},
    {"segodnya", "сегодня"},
    {"ponedelnik", "понедельник"},
    {"vtornik", "вторник"},
    {"sreda", "среда"},
    {"chetverg", "четверг"},
    {"pyatnica", "пятница"},
    {"subbota", "суббота"},
    {"voskresene", "воскресенье"},
    {"yanvarya", "января"},
    {"fevralya", "февраля"},
    {"marta", "марта"},
    {"aprelya", "апреля"},
    {"maya", "мая"},
    {"iyunya", "июня"},
    {"iyulya", "июля"},
    {"avgusta", "августа"},
    {"sentyabrya", "сентября"},
    {"oktyabrya", "октября"},
    {"noyabrya", "ноября"},
    {"dekabrya", "декабря"},
    {"1_neut", "первое"},
    {"2_neut", "второе"},
    {"3_neut", "третье"},
    {"4_neut", "четвёртое"},
    {"5_neut", "пятое"},
    {"6_neut", "шестое"},
    {"7_neut", "седьмое"},
    {"8_neut", "восьмое"},
    {"9_neut", "девятое"},
    {"10_neut", "десятое"},
    {"11_neut", "одиннадцатое"},
    {"12_neut", "двенадцатое"},
    {"13_neut", "тринадцатое"},
    {"14_neut", "четырнадцатое"},
    {"15_neut", "пятнадцатое"},
    {"16_neut", "шестнадцатое"},
    {"17_neut", "семнадцатое"},
    {"18_neut", "восемнадцатое"},
    {"19_neut", "девятнадцатое"},
    {"20_neut", "двадцатое"},
    {"30_neut", "тридцатое"},
};
// clang-format on

}  // namespace

const RecordedWord* RecordedWordsBegin() {
    return std::begin(kWords);
}

const RecordedWord* RecordedWordsEnd() {
    return std::end(kWords);
}

std::string_view WrittenWord(std::string_view file) {
    constexpr std::string_view kWav = ".wav";
    if (file.size() > kWav.size() && file.substr(file.size() - kWav.size()) == kWav)
        file.remove_suffix(kWav.size());
    for (const RecordedWord& word : kWords) {
        if (file == word.stem) return word.text;
    }
    return {};
}

std::string WrittenSentence(const std::vector<std::string>& chain) {
    std::string sentence;
    for (const std::string& file : chain) {
        const std::string_view word = WrittenWord(file);
        if (word.empty()) continue;
        if (!sentence.empty()) sentence += ' ';
        sentence += word;
    }
    return sentence;
}

std::string WrittenSentence(SpeechStyle style, unsigned hour, unsigned minute) {
    return WrittenSentence(SpokenChain(style, hour, minute));
}

}  // namespace zv
