// lvrow: prints the row 0 that the frame painters leave on a screen of a
// given width, one run of equal colour a line: FIRST LAST RRGGBB.
//
//   lvrow off HORZRES [FLAGS]
//   lvrow rows TOP BOTTOM HORZRES
//   lvrow columns LEFT RIGHT HORZRES
//
// For firmware developers checking a decoder, and for checking the painters.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "link/line_code.h"
#include "link/lvrow_args.h"
#include "platform/fake/fake_desktop.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: lvrow off HORZRES [FLAGS]\n"
                 "       lvrow rows TOP BOTTOM HORZRES\n"
                 "       lvrow columns LEFT RIGHT HORZRES\n"
                 "HORZRES is the screen width in pixels (1 to %u); FLAGS defaults to 0xD640.\n"
                 "Numbers are decimal or 0x hex; a negative value stands for its 32-bit\n"
                 "two's complement. Output: one line per run of equal colour over\n"
                 "x = 0 .. HORZRES-1: FIRST LAST RRGGBB.\n",
                 unsigned(lv::kLvrowMaxHorzRes));
    return 2;
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
    lv::LvrowArgs args;
    if (!lv::ParseLvrowArgs(argc, argv, args)) return Usage();

    // Paint on a simulated screen of that width; the lead-in paints the whole
    // row, so every pixel printed is the painter's.
    lv::fake::FakeDesktop desktop(std::int32_t(args.horzRes), 768);
    const std::uint32_t w = args.horzRes - 1;
    switch (args.frame) {
        case lv::LvrowFrame::Off:
            lv::PaintOffFrame(args.flags, w);
            break;
        case lv::LvrowFrame::Rows:
            lv::PaintRowsFrame(args.a, args.b, w);
            break;
        case lv::LvrowFrame::Columns:
            lv::PaintColumnsFrame(args.a, args.b, w);
            break;
    }
    PrintRuns(desktop.screen.Row());
    return 0;
}
