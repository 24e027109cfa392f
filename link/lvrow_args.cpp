// Reads lvrow's arguments.
#include "link/lvrow_args.h"

#include <cstring>

namespace lv {

namespace {

int DigitValue(char ch, int base) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (base == 16 && ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (base == 16 && ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

bool ParseHorzRes(const char* text, std::uint32_t& out) {
    return ParseWord(text, out) && out >= 1 && out <= kLvrowMaxHorzRes;
}

}  // namespace

// Digits are read here rather than by strtoull, which would also take
// leading white space and a second "0x" and so accept what the usage
// does not name.
bool ParseWord(const char* text, std::uint32_t& out) {
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    int base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (*p == '\0') return false;
    const std::uint64_t limit = negative ? 0x80000000ull : 0xFFFFFFFFull;
    std::uint64_t magnitude = 0;
    for (; *p != '\0'; ++p) {
        const int digit = DigitValue(*p, base);
        if (digit < 0) return false;
        magnitude = magnitude * std::uint64_t(base) + std::uint64_t(digit);
        if (magnitude > limit) return false;  // also keeps the product in range
    }
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
