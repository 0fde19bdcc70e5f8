// Checks the committed voice recordings: every file the announcement can ask for
// is a WAV that MCI opens, holds a trimmed, audible, unclipped word (or the
// short silence of the empty units slot), and all words are equally loud.
// The bell and the cuckoo play in the same chains, so they are held to the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace zv {
namespace {

struct Clip {
    std::string name;
    bool silent;
};

const Clip kClips[] = {
    {"0", false},      {"1", false},      {"2", false},     {"3", false},     {"4", false},
    {"5", false},      {"6", false},      {"7", false},     {"8", false},     {"9", false},
    {"10", false},     {"11", false},     {"12", false},    {"13", false},    {"14", false},
    {"15", false},     {"16", false},     {"17", false},    {"18", false},    {"19", false},
    {"20", false},     {"30", false},     {"40", false},    {"50", false},    {"0_0", true},
    {"odna", false},   {"dve", false},    {"chas", false},  {"chasa", false}, {"chasov", false},
    {"minuta", false}, {"minuty", false}, {"minut", false}, {"chime", false}, {"kuku", false},
};

void PrintTo(const Clip& clip, std::ostream* os) {
    *os << clip.name << ".wav";
}

constexpr double kMinSeconds = 0.15;
constexpr double kMaxSeconds = 1.2;
constexpr double kMinWordPeakDb = -20.0;
constexpr double kMaxSilencePeakDb = -60.0;
// Speech must begin and end this close to the file's ends, or the chain of
// clips gets audible gaps.
constexpr double kEdgeSeconds = 0.060;
constexpr double kEdgeThresholdDb = -40.0;
// Loudest 50 ms of one word against another's.
constexpr double kMaxLoudnessSpreadDb = 3.0;

struct Wav {
    uint16_t format = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    std::vector<int16_t> samples;
};

uint32_t ReadLe(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
    return value;
}

bool TagIs(const std::vector<uint8_t>& bytes, size_t at, const char* tag) {
    return std::equal(tag, tag + 4, bytes.begin() + at);
}

// Returns an empty string for a plain PCM RIFF/WAVE (16-byte fmt chunk, data
// chunk ending the file), else what is wrong with it.
std::string ParseWav(const std::vector<uint8_t>& bytes, Wav& wav) {
    if (bytes.size() < 12 || !TagIs(bytes, 0, "RIFF") || !TagIs(bytes, 8, "WAVE")) {
        return "no RIFF/WAVE header";
    }
    if (ReadLe(bytes, 4, 4) != bytes.size() - 8) return "RIFF size does not match the file";
    bool haveFmt = false;
    size_t at = 12;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8) return "truncated chunk header";
        uint32_t size = ReadLe(bytes, at + 4, 4);
        size_t body = at + 8;
        if (size > bytes.size() - body) return "chunk runs past the end of the file";
        if (TagIs(bytes, at, "fmt ")) {
            if (size != 16) return "fmt chunk is " + std::to_string(size) + " bytes, not 16";
            wav.format = static_cast<uint16_t>(ReadLe(bytes, body, 2));
            wav.channels = static_cast<uint16_t>(ReadLe(bytes, body + 2, 2));
            wav.sampleRate = ReadLe(bytes, body + 4, 4);
            uint32_t byteRate = ReadLe(bytes, body + 8, 4);
            uint32_t blockAlign = ReadLe(bytes, body + 12, 2);
            wav.bitsPerSample = static_cast<uint16_t>(ReadLe(bytes, body + 14, 2));
            if (blockAlign != wav.channels * wav.bitsPerSample / 8u ||
                byteRate != wav.sampleRate * blockAlign) {
                return "fmt block align or byte rate inconsistent";
            }
            haveFmt = true;
        } else if (TagIs(bytes, at, "data")) {
            if (!haveFmt) return "data chunk before fmt chunk";
            if (body + size != bytes.size()) return "data chunk does not end the file";
            if (size % 2 != 0) return "data size is not a whole number of samples";
            wav.samples.resize(size / 2);
            for (size_t i = 0; i < wav.samples.size(); ++i) {
                wav.samples[i] = static_cast<int16_t>(ReadLe(bytes, body + 2 * i, 2));
            }
            return "";
        }
        at = body + size + size % 2;
    }
    return "no data chunk";
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string VoicePath(const std::string& name) {
    return std::string(ZV_SOURCE_DIR) + "/resources/voice/" + name + ".wav";
}

double Db(double amplitude) {
    return 20.0 * std::log10(std::max(amplitude, 1e-9) / 32768.0);
}

int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// RMS of the loudest 50 ms window, in dBFS.
double LoudnessDb(const Wav& wav) {
    size_t window = wav.sampleRate / 20;
    if (wav.samples.size() < window) return -200.0;
    double sum = 0;
    double loudest = 0;
    for (size_t i = 0; i < wav.samples.size(); ++i) {
        sum += double(wav.samples[i]) * wav.samples[i];
        if (i >= window) sum -= double(wav.samples[i - window]) * wav.samples[i - window];
        if (i + 1 >= window) loudest = std::max(loudest, sum / window);
    }
    return Db(std::sqrt(loudest));
}

class VoiceClipTest : public testing::TestWithParam<Clip> {};

TEST_P(VoiceClipTest, IsAPlayableTrimmedRecording) {
    const Clip& clip = GetParam();
    std::vector<uint8_t> bytes = ReadFile(VoicePath(clip.name));
    ASSERT_FALSE(bytes.empty()) << VoicePath(clip.name) << " is missing or empty";

    Wav wav;
    ASSERT_EQ(ParseWav(bytes, wav), "");
    EXPECT_EQ(wav.format, 1) << "not PCM";
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_TRUE(wav.sampleRate == 16000 || wav.sampleRate == 22050) << wav.sampleRate;
    ASSERT_GT(wav.sampleRate, 0u);

    double seconds = double(wav.samples.size()) / wav.sampleRate;
    EXPECT_GE(seconds, kMinSeconds);
    EXPECT_LE(seconds, kMaxSeconds);

    int peak = Peak(wav.samples);
    if (clip.silent) {
        EXPECT_LT(Db(peak), kMaxSilencePeakDb);
        return;
    }
    EXPECT_GT(Db(peak), kMinWordPeakDb);
    EXPECT_LT(peak, 32767) << "clipped";

    double threshold = 32768.0 * std::pow(10.0, kEdgeThresholdDb / 20.0);
    auto loud = [threshold](int16_t s) { return std::abs(static_cast<int>(s)) > threshold; };
    auto first = std::find_if(wav.samples.begin(), wav.samples.end(), loud);
    auto last = std::find_if(wav.samples.rbegin(), wav.samples.rend(), loud);
    ASSERT_NE(first, wav.samples.end());
    EXPECT_LE(double(first - wav.samples.begin()) / wav.sampleRate, kEdgeSeconds) << "lead silence";
    EXPECT_LE(double(last - wav.samples.rbegin()) / wav.sampleRate, kEdgeSeconds)
        << "trailing silence";
}

INSTANTIATE_TEST_SUITE_P(Voice, VoiceClipTest, testing::ValuesIn(kClips),
                         [](const testing::TestParamInfo<Clip>& info) { return info.param.name; });

TEST(VoiceTest, WordsAreEquallyLoud) {
    std::map<std::string, double> loudness;
    for (const Clip& clip : kClips) {
        Wav wav;
        if (clip.silent || !ParseWav(ReadFile(VoicePath(clip.name)), wav).empty()) continue;
        loudness[clip.name] = LoudnessDb(wav);
    }
    ASSERT_FALSE(loudness.empty());
    auto [quietest, loudest] =
        std::minmax_element(loudness.begin(), loudness.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_LE(loudest->second - quietest->second, kMaxLoudnessSpreadDb)
        << quietest->first << " at " << quietest->second << " dBFS, " << loudest->first << " at "
        << loudest->second << " dBFS";
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
    const std::vector<uint8_t> good = ReadFile(VoicePath("20"));
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
