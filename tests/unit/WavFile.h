#pragma once
// A plain PCM WAV file read natively, and the measures the voice checks use.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zv::test {

struct Wav {
    uint16_t format = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    std::vector<int16_t> samples;
};

inline uint32_t ReadLe(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
    return value;
}

inline bool TagIs(const std::vector<uint8_t>& bytes, size_t at, const char* tag) {
    return std::equal(tag, tag + 4, bytes.begin() + at);
}

// Returns an empty string for a plain PCM RIFF/WAVE (16-byte fmt chunk, data
// chunk ending the file), else what is wrong with it.
inline std::string ParseWav(const std::vector<uint8_t>& bytes, Wav& wav) {
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

inline std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline double Db(double amplitude) {
    return 20.0 * std::log10(std::max(amplitude, 1e-9) / 32768.0);
}

inline int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// RMS of the loudest 50 ms window, in dBFS.
inline double LoudnessDb(const Wav& wav) {
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

}  // namespace zv::test
