// Reads a fuzz input front to back as little-endian fields, answering zeros
// once it runs out, so that every input is a valid one and a seed file can
// be written field by field (fuzz/make_corpus.py).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace lv::fuzz {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Left() const { return size_ - at_; }
    std::uint8_t U8() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t U16() { return std::uint16_t(U8() | (U8() << 8)); }
    std::uint32_t U32() { return std::uint32_t(U16()) | (std::uint32_t(U16()) << 16); }
    // A value in [lo, hi], from as many bytes as the range needs.
    std::uint32_t Range(std::uint32_t lo, std::uint32_t hi) {
        const std::uint32_t span = hi - lo;
        const std::uint32_t raw = span <= 0xFF ? U8() : span <= 0xFFFF ? U16() : U32();
        return span == 0xFFFFFFFF ? raw : lo + raw % (span + 1);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A broken property: says which and aborts, which libFuzzer reports as a
// crash with the input that caused it.
#define LV_FUZZ_CHECK(cond)                                                          \
    do {                                                                             \
        if (!(cond)) {                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                            \
        }                                                                            \
    } while (0)

}  // namespace lv::fuzz
