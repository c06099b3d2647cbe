// The panel's tooltips as a person meets them: the real mouse comes to rest on a button, and the
// tooltip that the panel's program shows says what the button posts, read from outside the
// program as a screen reader would; resting there posts nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "automation/ansi_text.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/running_panel.h"
#include "driver/standin_client.h"
#include "tests/support/tooltip_texts.h"

namespace quillow {
namespace {

using namespace driver;
using namespace std::chrono_literals;

// Moves the pointer to a point of the screen, as the mouse does (SendInput: the system then
// sends the window under it its mouse messages).
bool MoveMouseTo(POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, width - 1);
    input.mi.dy = MulDiv(point.y, 65535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &input, sizeof input) == 1;
}

TEST(Tooltips, MouseRestingOnConShowsItsLinesAndPostsNothing) {
    StandinClient client = StandinClient::Start("TooltipOnCon");
    RunningPanel panel = RunningPanel::Start();
    ASSERT_EQ(client.record().WaitForLines(2).size(), 2u) << "no greetings";

    RECT button;
    ASSERT_TRUE(GetWindowRect(panel.Control(kConButton), &button));
    const POINT middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    // Onto the button, then a pixel within it: the pointer has come to rest there.
    ASSERT_TRUE(MoveMouseTo({middle.x - 1, middle.y}));
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(MoveMouseTo(middle));

    HWND tip = nullptr;
    std::optional<std::wstring> text;
    EXPECT_TRUE(WaitUntil(
        [&] {
            tip = FindTopLevelWindow(L"tooltips_class32", panel.process().Id());
            if (tip == nullptr || !IsWindowVisible(tip)) return false;
            text = ReadText(tip);
            return text && !text->empty();
        },
        10s))
        << "no tooltip shown";
    EXPECT_EQ(text, Utf8ToWide(testing::tips::kCon));

    MoveMouseTo({0, 0});
    std::this_thread::sleep_for(1s);  // time enough for a wrongly posted line to arrive
    EXPECT_EQ(client.record().WaitForLines(0).size(), 2u) << "resting the mouse posted a line";
    EXPECT_TRUE(panel.process().Running());
}

}  // namespace
}  // namespace quillow
