// Reads lvrow's arguments.
#include "link/lvrow_args.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lv {

namespace {

bool ParseHorzRes(const char* text, std::uint32_t& out) {
    return ParseWord(text, out) && out >= 1 && out <= kLvrowMaxHorzRes;
}

}  // namespace

// A 32-bit number: decimal or 0x hex, optionally negative.
bool ParseWord(const char* text, std::uint32_t& out) {
    const char* p = text;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    int base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (*p == '\0' || *p == '-' || *p == '+' || *p == ' ') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long magnitude = std::strtoull(p, &end, base);
    if (errno != 0 || *end != '\0') return false;
    if (negative ? magnitude > 0x80000000ull : magnitude > 0xFFFFFFFFull) return false;
    out = negative ? std::uint32_t(0u - std::uint32_t(magnitude)) : std::uint32_t(magnitude);
    return true;
}

bool ParseLvrowArgs(int argc, const char* const* argv, LvrowArgs& out) {
    if (argc < 3) return false;
    const char* kind = argv[1];
    LvrowArgs args;
    if (std::strcmp(kind, "off") == 0) {
        if (argc > 4 || !ParseHorzRes(argv[2], args.horzRes)) return false;
        if (argc == 4) {
            std::uint32_t flags = 0;
            if (!ParseWord(argv[3], flags) || flags > 0xFFFF) return false;
            args.flags = std::uint16_t(flags);
        }
        args.frame = LvrowFrame::Off;
    } else if (std::strcmp(kind, "rows") == 0 || std::strcmp(kind, "columns") == 0) {
        if (argc != 5 || !ParseWord(argv[2], args.a) || !ParseWord(argv[3], args.b) ||
            !ParseHorzRes(argv[4], args.horzRes)) {
            return false;
        }
        args.frame = kind[0] == 'r' ? LvrowFrame::Rows : LvrowFrame::Columns;
    } else {
        return false;
    }
    out = args;
    return true;
}

}  // namespace lv
