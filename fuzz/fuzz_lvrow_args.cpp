// Fuzz target: lvrow's argument parser, fed NUL-separated words as argv
// (argv[0] is "lvrow"). Each word and each command line is also read by the
// grammar the usage text gives, written out here on its own, and the two
// must agree: a number is '-'? then decimal digits or 0x and hex digits,
// within 32 bits (a negative one down to -0x80000000).
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "link/lvrow_args.h"

namespace {

using namespace lv;

constexpr std::size_t kMaxWords = 8;

bool GrammarWord(const std::string& s, std::uint32_t& out) {
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (negative) i = 1;
    unsigned base = 10;
    if (s.size() >= i + 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;
    std::uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const char ch = s[i];
        unsigned digit;
        if (ch >= '0' && ch <= '9') {
            digit = unsigned(ch - '0');
        } else if (base == 16 && ch >= 'a' && ch <= 'f') {
            digit = unsigned(ch - 'a' + 10);
        } else if (base == 16 && ch >= 'A' && ch <= 'F') {
            digit = unsigned(ch - 'A' + 10);
        } else {
            return false;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) value = 0x100000000ull;  // saturate: too big either way
    }
    if (value > (negative ? 0x80000000ull : 0xFFFFFFFFull)) return false;
    out = negative ? std::uint32_t(0u - std::uint32_t(value)) : std::uint32_t(value);
    return true;
}

bool GrammarHorzRes(const std::string& s, std::uint32_t& out) {
    return GrammarWord(s, out) && out >= 1 && out <= kLvrowMaxHorzRes;
}

bool GrammarArgs(const std::vector<std::string>& w, LvrowArgs& out) {
    LvrowArgs args;
    if (w.size() >= 3 && w[1] == "off" && w.size() <= 4) {
        if (!GrammarHorzRes(w[2], args.horzRes)) return false;
        std::uint32_t flags = kOffFlags;
        if (w.size() == 4 && (!GrammarWord(w[3], flags) || flags > 0xFFFF)) return false;
        args.frame = LvrowFrame::Off;
        args.flags = std::uint16_t(flags);
    } else if (w.size() == 5 && (w[1] == "rows" || w[1] == "columns")) {
        if (!GrammarWord(w[2], args.a) || !GrammarWord(w[3], args.b) || !GrammarHorzRes(w[4], args.horzRes)) {
            return false;
        }
        args.frame = w[1] == "rows" ? LvrowFrame::Rows : LvrowFrame::Columns;
    } else {
        return false;
    }
    out = args;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Words as the shell hands them over: each its own NUL-terminated copy.
    std::vector<std::string> words{"lvrow"};
    std::string word;
    for (std::size_t i = 0; i < size && words.size() < kMaxWords; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word.push_back(char(data[i]));
        }
    }
    if (!word.empty() && words.size() < kMaxWords) words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());
    argv.push_back(nullptr);

    for (std::size_t i = 1; i < words.size(); ++i) {
        std::uint32_t got = 0xDEADBEEF, want = 0xDEADBEEF;
        const bool parsed = ParseWord(argv[i], got);
        LV_FUZZ_CHECK(parsed == GrammarWord(words[i], want));
        if (parsed) LV_FUZZ_CHECK(got == want);
    }

    LvrowArgs got, want;
    const bool parsed = ParseLvrowArgs(int(words.size()), argv.data(), got);
    LV_FUZZ_CHECK(parsed == GrammarArgs(words, want));
    if (!parsed) return 0;
    LV_FUZZ_CHECK(got.frame == want.frame);
    LV_FUZZ_CHECK(got.horzRes == want.horzRes);
    if (got.frame == LvrowFrame::Off) {
        LV_FUZZ_CHECK(got.flags == want.flags);
    } else {
        LV_FUZZ_CHECK(got.a == want.a && got.b == want.b);
    }
    return 0;
}
