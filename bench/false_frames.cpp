// How often the monitor's decoder takes a row that is no frame for one:
// random rows of several kinds on several screen widths, each decoded once,
// counted by kind. Rows cut from or blended with a real frame may fairly
// read as that frame; those are counted apart from any other reading.
//
//   lv_false_frames [ROWS] [SEED]     default 6000000 rows, seed 1
//
// Kinds, spread evenly over the widths; the first three, which hold no frame
// at all, get two shares of the rows each, the others one:
//   noise       every pixel any 24-bit colour
//   stripes     a black lead, then runs of the link's eight colours of
//               random lengths up to two cells: frame colours everywhere,
//               but no frame
//   mixes       blends of two of the link's colours, in steps or as a
//               gradient across the row
//   blended     a real frame over the desktop's picture at a random opacity
//   damaged     a real frame with one to four pixels set to a link colour
//   truncated   a real frame cut to a random length
//   shifted     a real frame with a random number of its first pixels gone
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/line_code.h"
#include "monitor/row_decoder.h"
#include "platform/fake/fake_desktop.h"

namespace {

using lv::Colour;
using lv::MakeColour;
using lv::monitor::DecodedRow;
using lv::monitor::FrameKind;

constexpr std::int32_t kWidths[] = {1024, 1366, 1920, 2560};
constexpr int kFramesPerWidth = 256;  // real frames to cut from, per width
constexpr int kSamplesShown = 3;

// splitmix64: fast, and the same rows on every run for one seed.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    std::uint32_t Below(std::uint32_t n) { return std::uint32_t((Next() >> 32) * n >> 32); }

private:
    std::uint64_t state_;
};

Colour LinkColour(unsigned i) { return MakeColour(i & 1 ? 255 : 0, i & 2 ? 255 : 0, i & 4 ? 255 : 0); }

// a's channels moved towards b's by t / 256, rounded.
Colour Mix(Colour a, Colour b, int t) {
    auto ch = [t](int x, int y) { return std::uint8_t(x + ((y - x) * t + (y >= x ? 128 : -128)) / 256); };
    return MakeColour(ch(lv::RedOf(a), lv::RedOf(b)), ch(lv::GreenOf(a), lv::GreenOf(b)),
                      ch(lv::BlueOf(a), lv::BlueOf(b)));
}

struct RealFrame {
    std::vector<Colour> row;
    DecodedRow decoded;
    std::string what;
};

// Real frames as the painters leave them: off, rows and columns frames with
// random edges on the screen (and a few past it).
std::vector<RealFrame> PaintFrames(std::int32_t width, Random& random) {
    std::vector<RealFrame> frames;
    const std::uint32_t w = std::uint32_t(width - 1);
    const std::uint32_t height = std::uint32_t(width) * 3 / 4;
    for (int i = 0; i < kFramesPerWidth; ++i) {
        lv::fake::FakeDesktop desk(width, std::int32_t(height));
        const unsigned kind = unsigned(i % 3);
        std::uint32_t a = random.Below(kind == 1 ? height + 8 : w + 8);
        std::uint32_t b = random.Below(kind == 1 ? height + 8 : w + 8);
        if (a > b) std::swap(a, b);
        char what[64];
        if (kind == 0) {
            lv::PaintOffFrame(lv::kOffFlags, w);
            std::snprintf(what, sizeof what, "off");
        } else if (kind == 1) {
            lv::PaintRowsFrame(a, b, w);
            std::snprintf(what, sizeof what, "rows %u %u", a, b);
        } else {
            lv::PaintColumnsFrame(a, b, w);
            std::snprintf(what, sizeof what, "columns %u %u", a, b);
        }
        RealFrame f{desk.screen.Row(), {}, what};
        f.decoded = lv::monitor::DecodeRow(f.row.data(), f.row.size());
        if (!f.decoded.Valid()) {
            std::fprintf(stderr, "false_frames: a real %s frame on %d pixels does not decode\n", what, width);
            std::exit(1);
        }
        frames.push_back(std::move(f));
    }
    return frames;
}

enum Kind { kNoise, kStripes, kMixes, kBlended, kDamaged, kTruncated, kShifted, kKinds };
const char* const kKindNames[kKinds] = {"noise", "stripes", "mixes", "blended", "damaged", "truncated", "shifted"};
const int kShares[kKinds] = {2, 2, 2, 1, 1, 1, 1};
constexpr int kAllShares = 10;

struct Made {
    std::vector<Colour> row;
    const RealFrame* source = nullptr;  // the real frame it comes from, if any
    std::string how;
};

void MakeRow(Kind kind, std::int32_t width, const std::vector<RealFrame>& frames, Random& random, Made& out) {
    std::vector<Colour>& row = out.row;
    const std::size_t n = std::size_t(width);
    out.source = nullptr;
    out.how.clear();
    switch (kind) {
        case kNoise:
            row.resize(n);
            for (std::size_t x = 0; x < n; x += 2) {
                const std::uint64_t r = random.Next();
                row[x] = Colour(r & 0xFFFFFF);
                if (x + 1 < n) row[x + 1] = Colour((r >> 32) & 0xFFFFFF);
            }
            return;
        case kStripes: {
            row.assign(n, 0);
            const std::uint32_t cell = std::uint32_t(width / 96);
            for (std::size_t x = 2; x < n;) {
                const Colour c = LinkColour(random.Below(8));
                std::size_t run = 1 + random.Below(2 * cell + 2);
                for (; run > 0 && x < n; --run) row[x++] = c;
            }
            return;
        }
        case kMixes: {
            row.resize(n);
            const Colour a = LinkColour(random.Below(8));
            const Colour b = LinkColour(random.Below(8));
            if (random.Below(2) == 0) {
                for (std::size_t x = 0; x < n; ++x) row[x] = Mix(a, b, int(x * 256 / (n - 1)));
                out.how = "gradient";
            } else {
                // Steps of a few pixels, each its own blend.
                for (std::size_t x = 0; x < n;) {
                    const Colour c = Mix(a, b, int(random.Below(257)));
                    for (std::size_t run = 1 + random.Below(16); run > 0 && x < n; --run) row[x++] = c;
                }
                out.how = "steps";
            }
            return;
        }
        default:
            break;
    }
    const RealFrame& f = frames[random.Below(std::uint32_t(frames.size()))];
    out.source = &f;
    char how[96];
    switch (kind) {
        case kBlended: {
            const int alpha = int(random.Below(257));
            row.resize(n);
            for (std::size_t x = 0; x < n; ++x) row[x] = Mix(lv::fake::DesktopColourAt(std::int32_t(x)), f.row[x], alpha);
            std::snprintf(how, sizeof how, "at opacity %d/256 over the desktop", alpha);
            break;
        }
        case kDamaged: {
            row = f.row;
            const int pokes = 1 + int(random.Below(4));
            std::string at;
            for (int i = 0; i < pokes; ++i) {
                const std::size_t x = random.Below(std::uint32_t(n));
                row[x] = LinkColour(random.Below(8));
                at += " " + std::to_string(x);
            }
            std::snprintf(how, sizeof how, "with pixels changed at%s", at.c_str());
            break;
        }
        case kTruncated: {
            const std::size_t length = random.Below(std::uint32_t(n));
            row.assign(f.row.begin(), f.row.begin() + std::ptrdiff_t(length));
            std::snprintf(how, sizeof how, "cut to %zu pixels", length);
            break;
        }
        default: {  // kShifted
            const std::size_t from = 1 + random.Below(std::uint32_t(n - 1));
            row.assign(f.row.begin() + std::ptrdiff_t(from), f.row.end());
            std::snprintf(how, sizeof how, "without its first %zu pixels", from);
            break;
        }
    }
    out.how = how;
}

std::string Describe(const DecodedRow& d) {
    char text[128];
    switch (d.kind) {
        case FrameKind::Off: std::snprintf(text, sizeof text, "off"); break;
        case FrameKind::Rows: std::snprintf(text, sizeof text, "rows %u %u", d.top, d.bottom); break;
        case FrameKind::Columns:
            std::snprintf(text, sizeof text, "columns red %d..%d", d.hasRed ? d.redFirst : -1, d.hasRed ? d.redEnd : -1);
            break;
        default: std::snprintf(text, sizeof text, "none"); break;
    }
    return text;
}

// The row as runs of one colour, FIRST-LAST:RRGGBB, the first few.
std::string Runs(const std::vector<Colour>& row) {
    std::string out;
    int shown = 0;
    for (std::size_t first = 0, x = 1; x <= row.size(); ++x) {
        if (x < row.size() && row[x] == row[first]) continue;
        if (++shown > 12) {
            out += " ...";
            break;
        }
        const Colour c = row[first];
        char run[48];
        std::snprintf(run, sizeof run, " %zu-%zu:%02X%02X%02X", first, x - 1, lv::RedOf(c), lv::GreenOf(c),
                      lv::BlueOf(c));
        out += run;
        first = x;
    }
    return out;
}

bool OneEdgeMovedOnePixel(const DecodedRow& source, const DecodedRow& d) {
    if (source.kind != FrameKind::Columns || d.kind != FrameKind::Columns || !source.hasRed || !d.hasRed) return false;
    return std::abs(source.redFirst - d.redFirst) + std::abs(source.redEnd - d.redEnd) == 1;
}

struct Counts {
    long long rows = 0;
    long long decoded = 0;
    long long sameAsSource = 0;  // decoded as the real frame it was made from
    long long edgeMoved = 0;     // otherwise: its columns frame with one red edge a pixel off
    int samples = 0;
};

double Rate(long long k, long long n) { return n == 0 ? 0 : double(k) / double(n); }

// With k = 0 events in n, 3 / n bounds the rate at 95% (the rule of three).
void Verdict(const char* what, long long k, long long n) {
    const double rate = Rate(k, n);
    if (k == 0) {
        const double bound = 3.0 / double(n);
        std::printf("%s: 0 in %lld; 95%% upper bound %.2g: below one in a million: %s\n", what, n, bound,
                    bound < 1e-6 ? "yes" : "not shown (too few rows)");
    } else {
        std::printf("%s: %lld in %lld = %.3g: below one in a million: %s\n", what, k, n, rate,
                    rate < 1e-6 ? "yes" : "NO");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long long total = argc > 1 ? std::atoll(argv[1]) : 6000000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 0) : 1;
    if (total < kAllShares * 4 || argc > 3) {
        std::fprintf(stderr, "usage: lv_false_frames [ROWS (at least %d)] [SEED]\n", kAllShares * 4);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    Random random(seed);
    std::vector<std::vector<RealFrame>> frames;
    for (std::int32_t width : kWidths) frames.push_back(PaintFrames(width, random));

    constexpr int kWidthCount = int(sizeof kWidths / sizeof kWidths[0]);
    const long long perShare = total / (kAllShares * kWidthCount);
    Counts counts[kKinds];
    Made made;
    double kindSeconds[kKinds] = {};
    for (int k = 0; k < kKinds; ++k) {
        const auto kindStart = std::chrono::steady_clock::now();
        for (int wi = 0; wi < kWidthCount; ++wi) {
            for (long long i = 0; i < perShare * kShares[k]; ++i) {
                MakeRow(Kind(k), kWidths[wi], frames[std::size_t(wi)], random, made);
                const DecodedRow d = lv::monitor::DecodeRow(made.row.data(), made.row.size());
                Counts& c = counts[k];
                ++c.rows;
                if (!d.Valid()) continue;
                ++c.decoded;
                const bool same = made.source != nullptr && d.SameFrame(made.source->decoded);
                if (same) ++c.sameAsSource;
                if (!same && made.source != nullptr && OneEdgeMovedOnePixel(made.source->decoded, d)) ++c.edgeMoved;
                if (!same && c.samples < kSamplesShown) {
                    ++c.samples;
                    std::printf("sample %s, %d wide: %s%s%s -> %s;%s\n", kKindNames[k], kWidths[wi],
                                made.source ? made.source->what.c_str() : "", made.source ? " frame " : "",
                                made.how.c_str(), Describe(d).c_str(), Runs(made.row).c_str());
                }
            }
        }
        kindSeconds[k] = std::chrono::duration<double>(std::chrono::steady_clock::now() - kindStart).count();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%-10s %10s %9s %10s %14s %10s %8s\n", "kind", "rows", "decoded", "rate", "as its source", "otherwise",
                "seconds");
    Counts all;
    for (int k = 0; k < kKinds; ++k) {
        const Counts& c = counts[k];
        std::printf("%-10s %10lld %9lld %10.3g %14lld %10lld %8.1f\n", kKindNames[k], c.rows, c.decoded,
                    Rate(c.decoded, c.rows), c.sameAsSource, c.decoded - c.sameAsSource, kindSeconds[k]);
        all.rows += c.rows;
        all.decoded += c.decoded;
        all.sameAsSource += c.sameAsSource;
        all.edgeMoved += c.edgeMoved;
    }
    std::printf("%-10s %10lld %9lld %10.3g %14lld %10lld\n", "total", all.rows, all.decoded,
                Rate(all.decoded, all.rows), all.sameAsSource, all.decoded - all.sameAsSource);
    std::printf("of the %lld read otherwise, %lld are their columns frame with one red edge moved by a pixel\n",
                all.decoded - all.sameAsSource, all.edgeMoved);
    std::printf("widths:");
    for (std::int32_t width : kWidths) std::printf(" %d", width);
    std::printf("; seed %llu; %.1f s\n", (unsigned long long)seed, seconds);
    long long noFrameRows = 0, noFrameDecoded = 0;
    for (int k : {kNoise, kStripes, kMixes}) {
        noFrameRows += counts[k].rows;
        noFrameDecoded += counts[k].decoded;
    }
    Verdict("rows made without a frame (noise, stripes, mixes) decoded as one", noFrameDecoded, noFrameRows);
    Verdict("rows decoded as a frame", all.decoded, all.rows);
    Verdict("rows decoded as a frame other than the one they were made from", all.decoded - all.sameAsSource,
            all.rows);
    return 0;
}
