#pragma once
// What each recording says, as written: the one table from which the clock
// writes the time it would say and tools/make_voice makes the recordings.
#include <string>
#include <string_view>
#include <vector>

#include "speech/Phrasing.h"

namespace zv {

struct RecordedWord {
    const char* stem;  // the file name without ".wav"
    const char* text;  // lower case; empty for the silence "0_0"
};

// Every recording of every style, in the order the generator makes them.
const RecordedWord* RecordedWordsBegin();
const RecordedWord* RecordedWordsEnd();

// The written word of a recording ("chas.wav" gives «час»); empty for the
// silence and for a file no recording has.
std::string_view WrittenWord(std::string_view file);

// The sentence a chain says, its words separated by one space
// («двадцать один час пять минут»).
std::string WrittenSentence(const std::vector<std::string>& chain);
std::string WrittenSentence(SpeechStyle style, unsigned hour, unsigned minute);

}  // namespace zv
