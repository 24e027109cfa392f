// Bounded copies of the simulated desktop's texts into the program's
// buffers, as the system's calls make them.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

namespace lv::fake {

// Up to `size` - 1 characters of `s`, always terminated; nothing for a
// buffer of no size. Answers the bytes written, terminator included.
inline std::size_t CopyBounded(const std::string& s, char* out, int size) {
    if (size <= 0) return 0;
    const std::size_t n = std::min<std::size_t>(s.size(), std::size_t(size - 1));
    std::memcpy(out, s.data(), n);
    out[n] = '\0';
    return n + 1;
}

}  // namespace lv::fake
