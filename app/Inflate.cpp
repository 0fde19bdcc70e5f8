#include "app/Inflate.h"

#include <array>

#include "core/Errors.h"

namespace zv {
namespace {

constexpr int kMaxBits = 15;

[[noreturn]] void Damaged(const char* what) {
    throw Exception(std::string("The packed data is damaged: ") + what);
}

class BitReader {
  public:
    explicit BitReader(std::span<const uint8_t> in) : in_(in) {}

    // `count` bits (at most 16), the first one read lowest.
    uint32_t Bits(int count) {
        while (held_ < count) {
            if (pos_ == in_.size()) Damaged("it ends too early");
            buffer_ |= uint32_t{in_[pos_++]} << held_;
            held_ += 8;
        }
        const uint32_t value = buffer_ & ((1u << count) - 1);
        buffer_ >>= count;
        held_ -= count;
        return value;
    }
    // Stored blocks start on a byte boundary.
    void SkipToByte() {
        buffer_ = 0;
        held_ = 0;
    }
    uint8_t Byte() {
        if (pos_ == in_.size()) Damaged("it ends too early");
        return in_[pos_++];
    }

  private:
    std::span<const uint8_t> in_;
    size_t pos_ = 0;
    uint32_t buffer_ = 0;
    int held_ = 0;
};

// A canonical Huffman code: how many codes there are of each length, and the
// symbols in code order.
class Huffman {
  public:
    Huffman(const uint8_t* lengths, int symbols) {
        for (int s = 0; s < symbols; ++s) ++count_[lengths[s]];
        count_[0] = 0;
        int left = 1;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = left * 2 - count_[len];
            if (left < 0) Damaged("a code table is over-full");
        }
        std::array<uint16_t, kMaxBits + 2> offset{};
        for (int len = 1; len <= kMaxBits; ++len) offset[len + 1] = offset[len] + count_[len];
        for (int s = 0; s < symbols; ++s) {
            if (lengths[s] != 0) symbol_[offset[lengths[s]]++] = static_cast<uint16_t>(s);
        }
    }

    // Codes are sent most significant bit first.
    int Decode(BitReader& in) const {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            code |= static_cast<int>(in.Bits(1));
            const int count = count_[len];
            if (code - first < count) return symbol_[index + code - first];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        Damaged("a code is not in its table");
    }

  private:
    std::array<uint16_t, kMaxBits + 1> count_{};
    std::array<uint16_t, 288> symbol_{};
};

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                        33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385,
                                        24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
  public:
    Inflater(std::span<const uint8_t> packed, size_t size) : in_(packed), size_(size) {
        out_.reserve(size);
    }

    std::vector<uint8_t> Run() {
        bool last = false;
        while (!last) {
            last = in_.Bits(1) != 0;
            switch (in_.Bits(2)) {
                case 0:
                    Stored();
                    break;
                case 1:
                    Fixed();
                    break;
                case 2:
                    Dynamic();
                    break;
                default:
                    Damaged("a block has an unknown type");
            }
        }
        if (out_.size() != size_) Damaged("it unpacks to fewer bytes than expected");
        return std::move(out_);
    }

  private:
    void Put(uint8_t b) {
        if (out_.size() == size_) Damaged("it unpacks to more bytes than expected");
        out_.push_back(b);
    }

    uint32_t Word() {
        const uint32_t low = in_.Byte();
        return low | uint32_t{in_.Byte()} << 8;
    }

    void Stored() {
        in_.SkipToByte();
        const uint32_t len = Word();
        const uint32_t check = Word();
        if ((len ^ 0xFFFF) != check) Damaged("a stored block's length is garbled");
        for (uint32_t i = 0; i < len; ++i) Put(in_.Byte());
    }

    void Fixed() {
        uint8_t lengths[288 + 30];
        int s = 0;
        for (; s < 144; ++s) lengths[s] = 8;
        for (; s < 256; ++s) lengths[s] = 9;
        for (; s < 280; ++s) lengths[s] = 7;
        for (; s < 288; ++s) lengths[s] = 8;
        for (; s < 288 + 30; ++s) lengths[s] = 5;
        Codes(Huffman(lengths, 288), Huffman(lengths + 288, 30));
    }

    void Dynamic() {
        const int literals = static_cast<int>(in_.Bits(5)) + 257;
        const int distances = static_cast<int>(in_.Bits(5)) + 1;
        const int lengthCodes = static_cast<int>(in_.Bits(4)) + 4;
        if (literals > 286 || distances > 30) Damaged("a block has too many codes");
        static constexpr uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                               11, 4,  12, 3, 13, 2, 14, 1, 15};
        uint8_t lengthLengths[19] = {};
        for (int i = 0; i < lengthCodes; ++i) lengthLengths[kOrder[i]] = static_cast<uint8_t>(in_.Bits(3));
        const Huffman lengthCode(lengthLengths, 19);

        uint8_t lengths[286 + 30] = {};
        for (int i = 0; i < literals + distances;) {
            const int symbol = lengthCode.Decode(in_);
            if (symbol < 16) {
                lengths[i++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t value = 0;
            int repeat = 0;
            if (symbol == 16) {
                if (i == 0) Damaged("a length repeats before the first one");
                value = lengths[i - 1];
                repeat = 3 + static_cast<int>(in_.Bits(2));
            } else if (symbol == 17) {
                repeat = 3 + static_cast<int>(in_.Bits(3));
            } else {
                repeat = 11 + static_cast<int>(in_.Bits(7));
            }
            if (i + repeat > literals + distances) Damaged("code lengths run over the table");
            while (repeat-- > 0) lengths[i++] = value;
        }
        if (lengths[256] == 0) Damaged("a block cannot end");
        Codes(Huffman(lengths, literals), Huffman(lengths + literals, distances));
    }

    void Codes(const Huffman& literal, const Huffman& distance) {
        for (;;) {
            const int symbol = literal.Decode(in_);
            if (symbol < 256) {
                Put(static_cast<uint8_t>(symbol));
                continue;
            }
            if (symbol == 256) return;
            const int l = symbol - 257;
            if (l >= 29) Damaged("a length code is out of range");
            const size_t length = kLengthBase[l] + in_.Bits(kLengthExtra[l]);
            const int d = distance.Decode(in_);
            if (d >= 30) Damaged("a distance code is out of range");
            const size_t back = kDistanceBase[d] + in_.Bits(kDistanceExtra[d]);
            if (back > out_.size()) Damaged("a distance reaches before the start");
            // Byte by byte: a copy may overlap what it produces.
            for (size_t i = 0; i < length; ++i) Put(out_[out_.size() - back]);
        }
    }

    BitReader in_;
    size_t size_;
    std::vector<uint8_t> out_;
};

}  // namespace

std::vector<uint8_t> Inflate(std::span<const uint8_t> packed, size_t size) {
    return Inflater(packed, size).Run();
}

}  // namespace zv
