#pragma once
// Unpacking of raw DEFLATE data (RFC 1951), enough for the program's own
// packed resources: the build packs them with Python's zlib.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zv {

// The bytes a raw DEFLATE stream (no zlib or gzip header) unpacks to; they
// must be exactly `size`. Throws zv::Exception when the stream is damaged,
// ends early or unpacks to another size.
std::vector<uint8_t> Inflate(std::span<const uint8_t> packed, size_t size);

}  // namespace zv
