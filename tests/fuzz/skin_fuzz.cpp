// The input is a packed picture as the exe carries its skin, or the raw
// DEFLATE stream inside one. Damage must end in zv::Exception, never in a
// read or write out of bounds, and what unpacks must be as big as promised.
#include <cstddef>
#include <cstdint>
#include <span>

#include "app/Inflate.h"
#include "app/PackedImage.h"
#include "core/Errors.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> in(data, size);
    try {
        const zv::Image img = zv::UnpackImage(in);
        ZV_CHECK(img.width > 0 && img.height > 0);
        ZV_CHECK(img.pixels.size() == static_cast<size_t>(img.width) * img.height);
        for (uint32_t p : img.pixels) ZV_CHECK((p & 0xFF000000u) == 0);
    } catch (const zv::Exception&) {
    }
    // The stream alone, asked for the size its first two bytes name.
    if (size >= 2) {
        const size_t want = data[0] | size_t{data[1]} << 8;
        try {
            ZV_CHECK(zv::Inflate(in.subspan(2), want).size() == want);
        } catch (const zv::Exception&) {
        }
    }
    return 0;
}
