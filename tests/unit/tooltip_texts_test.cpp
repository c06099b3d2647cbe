// The tooltips' texts: each control's own, quoting its lines as the room shows them.
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

// As a browser shows markup: the tags gone, white space of every kind one space, none at the ends.
TEST(TooltipTextsTest, ALineIsShownWithoutItsMarkupAndWithItsSpacesCollapsed) {
    EXPECT_EQ(AsShown(" <font color=#0000ff> -v\u203A \t<b>x</b>\r\n  y <i></i> \u2039v- "),
              "-v\u203A x y \u2039v-");
}

}  // namespace
}  // namespace quillow::tips
