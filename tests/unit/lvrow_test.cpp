// lvrow as a firmware developer runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun Lvrow(const std::string& args) {
    const std::string cmd = std::string(LVROW_PATH) + " " + args + " 2>/dev/null";
    FILE* pipe = popen(cmd.c_str(), "r");
    ToolRun run{-1, {}};
    if (pipe == nullptr) return run;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) run.out.append(buf, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

TEST(Lvrow, OffFrameOn1024) {
    const ToolRun r = Lvrow("off 1024");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("0 12 000000\n13 34 00FFFF\n35 56 00FF00\n57 78 00FFFF\n", 0), 0u) << r.out;
    const std::string tail = "1010 1022 000000\n1023 1023 00FF00\n";
    ASSERT_GE(r.out.size(), tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail);
    const ToolRun flags = Lvrow("off 1024 0xD640");
    const ToolRun noFlags = Lvrow("off 1024 0");
    EXPECT_EQ(flags.status, 0);
    EXPECT_EQ(flags.out, r.out);
    EXPECT_EQ(noFlags.status, 0);
    EXPECT_FALSE(noFlags.out.empty());
    EXPECT_NE(noFlags.out, r.out);
}

TEST(Lvrow, ColumnsRedRunAndNegativeNumbers) {
    const ToolRun r = Lvrow("columns 100 500 1024");
    ASSERT_EQ(r.status, 0);
    // Red starts at 101 inside a clock-high, header-high cell.
    EXPECT_NE(r.out.find("\n101 "), std::string::npos) << r.out;
    const ToolRun negative = Lvrow("rows -4 772 1024");
    const ToolRun complement = Lvrow("rows 0xFFFFFFFC 772 1024");
    ASSERT_EQ(negative.status, 0);
    ASSERT_EQ(complement.status, 0);
    EXPECT_FALSE(negative.out.empty());
    EXPECT_EQ(negative.out, complement.out);
}

TEST(Lvrow, BadArgumentsExitWithTwo) {
    for (const char* args : {"", "off", "off 0", "off abc", "off 1024 0x10000", "rows 1 2",
                             "columns 1 2 3 4", "sideways 1 2 3", "rows 1 0x100000000 1024",
                             "rows 1 -0x80000001 1024", "off 1024 1 2", "rows 0x0x5 7 1024"}) {
        const ToolRun r = Lvrow(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }
}

}  // namespace
