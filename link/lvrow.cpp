// lvrow: prints the row 0 that the frame painters leave on a screen of a
// given width, one run of equal colour a line: FIRST LAST RRGGBB.
//
//   lvrow off HORZRES [FLAGS]
//   lvrow rows TOP BOTTOM HORZRES
//   lvrow columns LEFT RIGHT HORZRES
//
// For firmware developers checking a decoder, and for checking the painters.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "link/line_code.h"
#include "platform/fake/fake_desktop.h"

namespace {

constexpr long long kMaxHorzRes = 1 << 20;

int Usage() {
    std::fprintf(stderr,
                 "usage: lvrow off HORZRES [FLAGS]\n"
                 "       lvrow rows TOP BOTTOM HORZRES\n"
                 "       lvrow columns LEFT RIGHT HORZRES\n"
                 "HORZRES is the screen width in pixels (1 to %lld); FLAGS defaults to 0xD640.\n"
                 "Numbers are decimal or 0x hex; a negative value stands for its 32-bit\n"
                 "two's complement. Output: one line per run of equal colour over\n"
                 "x = 0 .. HORZRES-1: FIRST LAST RRGGBB.\n",
                 kMaxHorzRes);
    return 2;
}

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

bool ParseHorzRes(const char* text, std::uint32_t& out) {
    return ParseWord(text, out) && out >= 1 && out <= kMaxHorzRes;
}

void PrintRuns(const std::vector<lv::Colour>& row) {
    std::size_t first = 0;
    for (std::size_t x = 1; x <= row.size(); ++x) {
        if (x < row.size() && row[x] == row[first]) continue;
        const lv::Colour c = row[first];
        std::printf("%zu %zu %02X%02X%02X\n", first, x - 1, lv::RedOf(c), lv::GreenOf(c), lv::BlueOf(c));
        first = x;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const char* kind = argv[1];
    std::uint32_t a = 0, b = 0, horzRes = 0;
    std::uint32_t flags = lv::kOffFlags;
    if (std::strcmp(kind, "off") == 0) {
        if (argc > 4 || !ParseHorzRes(argv[2], horzRes)) return Usage();
        if (argc == 4 && (!ParseWord(argv[3], flags) || flags > 0xFFFF)) return Usage();
    } else if (std::strcmp(kind, "rows") == 0 || std::strcmp(kind, "columns") == 0) {
        if (argc != 5 || !ParseWord(argv[2], a) || !ParseWord(argv[3], b) ||
            !ParseHorzRes(argv[4], horzRes)) {
            return Usage();
        }
    } else {
        return Usage();
    }

    // Paint on a simulated screen of that width; the lead-in paints the whole
    // row, so every pixel printed is the painter's.
    lv::fake::FakeDesktop desktop(std::int32_t(horzRes), 768);
    const std::uint32_t w = horzRes - 1;
    if (kind[0] == 'o') {
        lv::PaintOffFrame(std::uint16_t(flags), w);
    } else if (kind[0] == 'r') {
        lv::PaintRowsFrame(a, b, w);
    } else {
        lv::PaintColumnsFrame(a, b, w);
    }
    PrintRuns(desktop.screen.Row());
    return 0;
}
