#include "panel/status_lines.h"

#include <gtest/gtest.h>

#include "tests/support/windows1252.h"

namespace quillow {
namespace {

const std::string_view kFixedLines[] = {
    lines::kGreeting,      lines::kMotto,    lines::kFarewell, lines::kUnloaded,
    lines::kIdleTick,      lines::kWentIdle, lines::kCameBack, lines::kImsOn,
    lines::kImsOff,        lines::kExit,     lines::kCredit,   lines::kContactTorvik,
    lines::kContactZennoq,
};

// A typo in the catalogue shows in the room as broken colours or marks.
TEST(StatusLinesTest, EveryLineIsBlueMarkBlackTextBlueMark) {
    for (const std::string& line : {lines::IdleCauseLine("x"), lines::ReLine("x")}) {
        EXPECT_TRUE(line.starts_with("<font color=#0000ff>-v› <font color=#000000>")) << line;
    }
    for (const std::string_view line : kFixedLines) {
        EXPECT_TRUE(line.starts_with("<font color=#0000ff>-v› <font color=#000000>") ||
                    line.starts_with("<font color=#0000ff> -v› <font color=#000000>"))
            << line;
        EXPECT_TRUE(line.ends_with("<font color=#0000ff> ‹v-")) << line;
    }
}

TEST(StatusLinesTest, MarksBecomeSingleBytesInWindows1252) {
    const std::string bytes = testing::Utf8ToWindows1252(lines::kMotto);
    EXPECT_EQ(bytes,
              "<font color=#0000ff>-v\x9B <font color=#000000>Taking idlers to the max"
              "<font color=#0000ff> \x8Bv-");
    EXPECT_EQ(testing::Windows1252ToUtf8(bytes), lines::kMotto);
}

TEST(StatusLinesTest, ReasonGoesInUnchanged) {
    const std::string reason = "  <i>a & b</i>\t";
    EXPECT_EQ(lines::ReLine(reason),
              std::string(lines::kReBefore) + reason + std::string(lines::kReAfter));
    EXPECT_EQ(lines::IdleCauseLine(""),
              "<font color=#0000ff>-v› <font color=#000000> i am idl'n cause  <font "
              "color=#0000ff> ‹v-");
}

}  // namespace
}  // namespace quillow
