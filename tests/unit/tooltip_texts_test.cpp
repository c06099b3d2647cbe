// The tooltips' texts: each control's own, quoting its lines as the room shows them (markup
// gone, spaces collapsed), with the placeholder where the reason goes.
#include "panel/tooltip_texts.h"

#include <gtest/gtest.h>

#include "tests/support/tooltip_texts.h"

namespace quillow::tips {
namespace {

namespace expected = quillow::testing::tips;

TEST(TooltipTextsTest, EveryButtonAndTheReasonBoxSayWhatTheyDo) {
    struct Case {
        int id;
        const char* text;
    };
    constexpr Case kCases[] = {
        {1, expected::kStart}, {2, expected::kStop},      {3, expected::kImOn},
        {4, expected::kImOff}, {5, expected::kClearChat}, {6, expected::kExit},
        {7, expected::kAdv},   {8, expected::kCon},       {100, expected::kReasonBox},
    };
    for (const Case& c : kCases) EXPECT_EQ(TipText(c.id), c.text) << "control " << c.id;
    EXPECT_EQ(TipText(0), "");
    EXPECT_EQ(TipText(9), "");
}

}  // namespace
}  // namespace quillow::tips
