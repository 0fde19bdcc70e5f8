// Checks the committed recordings, the standard voice's and every pack's: each
// file the announcement can ask for is a WAV that MCI opens, holding a trimmed,
// audible, unclipped word (or the short silence of the empty units slot); the
// words of a voice are equally loud and its longest chain is short.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "AnnouncedChain.h"
#include "WavFile.h"
#include "speech/Phrasing.h"
#include "voices/VoiceList.h"

namespace zv {
namespace {

using namespace zv::test;
namespace fs = std::filesystem;

const std::string kStandard = std::string(ZV_SOURCE_DIR) + "/resources/voice";
const std::array<const char*, 2> kClockSounds = {"chime.wav", "kuku.wav"};
const std::string kPacks = std::string(ZV_SOURCE_DIR) + "/resources/voices";

constexpr double kMinSeconds = 0.15;
constexpr double kMaxSeconds = 1.2;
constexpr double kMinWordPeakDb = -20.0;
constexpr double kMaxPeakDb = -1.0;
constexpr double kMaxSilencePeakDb = -60.0;
// Speech must begin and end this close to the file's ends, or the chain of
// clips gets audible gaps.
constexpr double kMaxLeadSeconds = 0.030;
constexpr double kMaxTrailSeconds = 0.050;
constexpr double kEdgeThresholdDb = -40.0;
// Loudest 50 ms of each word against the voice's median, and of one voice's
// median against the standard's, so that changing voice keeps the volume.
constexpr double kMaxLoudnessOffDb = 1.0;
constexpr double kMaxChainSeconds = 3.3;
constexpr double kMaxColloquialChainSeconds = 3.5;

struct Voice {
    std::string name;
    std::string dir;
};

void PrintTo(const Voice& voice, std::ostream* os) {
    *os << voice.name;
}

std::vector<Voice> Voices() {
    std::vector<Voice> voices{{"standard", kStandard}};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kPacks, error)) {
        if (entry.is_directory()) {
            voices.push_back({entry.path().filename().string(), entry.path().string()});
        }
    }
    std::sort(voices.begin() + 1, voices.end(),
              [](const Voice& a, const Voice& b) { return a.name < b.name; });
    return voices;
}

// Every recording a voice ships: the official words, those of the other
// styles and those of the date.
std::vector<const char*> AllFiles() {
    std::vector<const char*> files(kVoiceFiles.begin(), kVoiceFiles.end());
    files.insert(files.end(), kStyleFiles.begin(), kStyleFiles.end());
    files.insert(files.end(), kDateFiles.begin(), kDateFiles.end());
    return files;
}

bool Silent(const std::string& file) {
    return file == "0_0.wav";
}

Wav Load(const std::string& path) {
    Wav wav;
    std::string error = ParseWav(ReadFile(path), wav);
    EXPECT_EQ(error, "") << path;
    return wav;
}

double Seconds(const Wav& wav) {
    return wav.sampleRate ? double(wav.samples.size()) / wav.sampleRate : 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double MedianLoudness(const Voice& voice) {
    std::vector<double> loudness;
    for (const char* file : AllFiles()) {
        if (!Silent(file)) loudness.push_back(LoudnessDb(Load(voice.dir + "/" + file)));
    }
    return Median(loudness);
}

TEST(VoiceTest, ShipsTheStandardVoiceAndBothPacks) {
    std::set<std::string> names;
    for (const Voice& voice : Voices()) names.insert(voice.name);
    EXPECT_EQ(names, (std::set<std::string>{"standard", "aleksandr", "anna"}));
}

class VoiceClipTest : public testing::TestWithParam<std::tuple<Voice, const char*>> {};

TEST_P(VoiceClipTest, IsAPlayableTrimmedRecording) {
    const auto& [voice, file] = GetParam();
    const std::string path = voice.dir + "/" + file;
    std::vector<uint8_t> bytes = ReadFile(path);
    ASSERT_FALSE(bytes.empty()) << path << " is missing or empty";

    Wav wav;
    ASSERT_EQ(ParseWav(bytes, wav), "");
    EXPECT_EQ(wav.format, 1) << "not PCM";
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_TRUE(wav.sampleRate == 16000 || wav.sampleRate == 22050) << wav.sampleRate;
    ASSERT_GT(wav.sampleRate, 0u);
    EXPECT_GE(Seconds(wav), kMinSeconds);
    EXPECT_LE(Seconds(wav), kMaxSeconds);

    int peak = Peak(wav.samples);
    if (Silent(file)) {
        EXPECT_LT(Db(peak), kMaxSilencePeakDb);
        return;
    }
    EXPECT_GT(Db(peak), kMinWordPeakDb);
    EXPECT_LE(Db(peak), kMaxPeakDb) << "a sample above " << kMaxPeakDb << " dBFS";

    double threshold = 32768.0 * std::pow(10.0, kEdgeThresholdDb / 20.0);
    auto loud = [threshold](int16_t s) { return std::abs(static_cast<int>(s)) > threshold; };
    auto first = std::find_if(wav.samples.begin(), wav.samples.end(), loud);
    auto last = std::find_if(wav.samples.rbegin(), wav.samples.rend(), loud);
    ASSERT_NE(first, wav.samples.end());
    EXPECT_LE(double(first - wav.samples.begin()) / wav.sampleRate, kMaxLeadSeconds)
        << "lead silence";
    EXPECT_LE(double(last - wav.samples.rbegin()) / wav.sampleRate, kMaxTrailSeconds)
        << "trailing silence";
}

INSTANTIATE_TEST_SUITE_P(
    Voice, VoiceClipTest,
    testing::Combine(testing::ValuesIn(Voices()), testing::ValuesIn(AllFiles())),
    [](const auto& info) {
        std::string name = std::get<0>(info.param).name + "_" + std::get<1>(info.param);
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

class VoicePackTest : public testing::TestWithParam<Voice> {};

TEST_P(VoicePackTest, HoldsExactlyTheRecordings) {
    std::set<std::string> wavs;
    for (const auto& entry : fs::directory_iterator(GetParam().dir)) {
        if (entry.path().extension() == ".wav") wavs.insert(entry.path().filename().string());
    }
    std::vector<const char*> files = AllFiles();
    std::set<std::string> want(files.begin(), files.end());
    // The bell and the cuckoo are the clock's own: they lie beside the standard voice.
    if (GetParam().dir == kStandard) want.insert(kClockSounds.begin(), kClockSounds.end());
    EXPECT_EQ(wavs, want);
}

TEST_P(VoicePackTest, HasOneRateEvenLoudnessAndAShortLongestChain) {
    const Voice& voice = GetParam();
    std::set<uint32_t> rates;
    std::vector<std::pair<double, std::string>> loudness;
    for (const char* file : AllFiles()) {
        Wav wav = Load(voice.dir + "/" + file);
        rates.insert(wav.sampleRate);
        if (!Silent(file)) loudness.emplace_back(LoudnessDb(wav), file);
    }
    EXPECT_EQ(rates.size(), 1u) << "more than one sample rate";

    std::vector<double> values;
    for (const auto& l : loudness) values.push_back(l.first);
    double median = Median(values);
    for (const auto& [db, file] : loudness) {
        EXPECT_NEAR(db, median, kMaxLoudnessOffDb) << file << " against the median";
    }
    EXPECT_NEAR(median, MedianLoudness(Voices()[0]), kMaxLoudnessOffDb)
        << "louder or softer than the standard voice";

    // The longest chain the announcer plays, 23:59, taken from the announcer.
    std::vector<std::string> chain = AnnouncedChain(23, 59);
    ASSERT_EQ(chain.size(), 6u);
    double seconds = 0;
    for (const std::string& file : chain) seconds += Seconds(Load(voice.dir + "/" + file));
    EXPECT_LE(seconds, kMaxChainSeconds);
    RecordProperty("chain_23_59_seconds", std::to_string(seconds));

    // The colloquial chains have no one longest time: every minute is summed.
    std::map<std::string, double> lengths;
    double longest = 0;
    std::string when;
    for (unsigned h = 0; h < 24; ++h) {
        for (unsigned m = 0; m < 60; ++m) {
            double sum = 0;
            for (const std::string& file : SpokenChain(SpeechStyle::Colloquial, h, m)) {
                auto [at, fresh] = lengths.emplace(file, 0);
                if (fresh) at->second = Seconds(Load(voice.dir + "/" + file));
                sum += at->second;
            }
            if (sum > longest) {
                longest = sum;
                when = std::to_string(h) + ":" + std::to_string(m);
            }
        }
    }
    EXPECT_LE(longest, kMaxColloquialChainSeconds) << "at " << when;
    RecordProperty("longest_colloquial_seconds", std::to_string(longest));
}

// The bell and the cuckoo play in the same chains as the words, so they are
// held to the same bars and to the standard voice's loudness.
INSTANTIATE_TEST_SUITE_P(ClockSound, VoiceClipTest,
                         testing::Combine(testing::Values(Voices()[0]),
                                          testing::ValuesIn(kClockSounds)),
                         [](const auto& info) {
                             std::string name = std::get<1>(info.param);
                             return name.substr(0, name.find('.'));
                         });

TEST(VoiceTest, ClockSoundsAreAsLoudAsTheStandardVoice) {
    const double median = MedianLoudness(Voices()[0]);
    for (const char* file : kClockSounds) {
        EXPECT_NEAR(LoudnessDb(Load(kStandard + "/" + file)), median, kMaxLoudnessOffDb) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Voice, VoicePackTest, testing::ValuesIn(Voices()),
                         [](const auto& info) { return info.param.name; });

// A pack's note names the engine, the voice and the licence, and is written
// the way the guide is, for Notepad.
TEST(VoiceTest, PacksCarryTheirNoteAndLicence) {
    for (const Voice& voice : Voices()) {
        if (voice.dir == kStandard) continue;
        std::vector<uint8_t> bytes = ReadFile(voice.dir + "/ПРОЧТИ.txt");
        std::string text(bytes.begin(), bytes.end());
        ASSERT_GT(text.size(), 3u) << voice.name << ": no ПРОЧТИ.txt";
        EXPECT_EQ(text.substr(0, 3), "\xef\xbb\xbf") << voice.name << ": no UTF-8 BOM";
        size_t pairs = 0;
        for (size_t at = text.find("\r\n"); at != std::string::npos;
             at = text.find("\r\n", at + 2)) {
            ++pairs;
        }
        EXPECT_TRUE(std::count(text.begin(), text.end(), '\n') == long(pairs) &&
                    std::count(text.begin(), text.end(), '\r') == long(pairs) &&
                    text.ends_with("\r\n"))
            << voice.name << ": lines not all CR LF";
        for (const std::string& word :
             {std::string("RHVoice"), voice.name, std::string("LGPL-2.1")}) {
            EXPECT_NE(text.find(word), std::string::npos) << voice.name << ": never names " << word;
        }
        EXPECT_FALSE(ReadFile(voice.dir + "/LGPL-2.1.txt").empty()) << voice.name;
    }
}

void PutLe(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void FixRiffSize(std::vector<uint8_t>& bytes) {
    PutLe(bytes, 4, static_cast<uint32_t>(bytes.size() - 8), 4);
}

// The parser must reject what MCI or the checks above would trip over, or a
// broken file could pass.
TEST(VoiceTest, ParserRejectsMalformedFiles) {
    const std::vector<uint8_t> good = ReadFile(kStandard + "/20.wav");
    ASSERT_GT(good.size(), 48u);
    Wav wav;
    ASSERT_EQ(ParseWav(good, wav), "");

    struct Case {
        const char* what;
        void (*mutate)(std::vector<uint8_t>&);
        const char* error;
    };
    const Case cases[] = {
        {"not RIFF", [](std::vector<uint8_t>& b) { b[0] = 'X'; }, "no RIFF/WAVE header"},
        {"truncated",
         [](std::vector<uint8_t>& b) {
             b.resize(b.size() - 10);
             FixRiffSize(b);
         },
         "chunk runs past the end of the file"},
        {"RIFF size off",
         [](std::vector<uint8_t>& b) { PutLe(b, 4, static_cast<uint32_t>(b.size()), 4); },
         "RIFF size does not match the file"},
        {"fmt of 18 bytes", [](std::vector<uint8_t>& b) { PutLe(b, 16, 18, 4); },
         "fmt chunk is 18 bytes, not 16"},
        {"bad block align", [](std::vector<uint8_t>& b) { PutLe(b, 32, 4, 2); },
         "fmt block align or byte rate inconsistent"},
        {"chunk after data",
         [](std::vector<uint8_t>& b) {
             b.insert(b.end(), {'L', 'I', 'S', 'T', 0, 0, 0, 0});
             FixRiffSize(b);
         },
         "data chunk does not end the file"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.mutate(bytes);
        EXPECT_EQ(ParseWav(bytes, wav), c.error) << c.what;
    }

    // The format fields are read, not assumed, so the checks on them bite.
    std::vector<uint8_t> stereo = good;
    PutLe(stereo, 22, 2, 2);
    PutLe(stereo, 28, 16000 * 4, 4);
    PutLe(stereo, 32, 4, 2);
    ASSERT_EQ(ParseWav(stereo, wav), "");
    EXPECT_EQ(wav.channels, 2);
}

}  // namespace
}  // namespace zv
