// The panel's tooltips as a person meets them: the real mouse comes to rest on a button, and the
// tooltip that the panel's program shows says what the button posts, read from outside the
// program as a screen reader would; resting there posts nothing. And the tooltip window itself,
// at two densities.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "automation/ansi_text.h"
#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/running_panel.h"
#include "driver/standin_client.h"
#include "panel/panel_window_win.h"
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
    ASSERT_TRUE(GetWindowRect(panel.Control(layout::kConId), &button));
    const POINT middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    // Onto the button, then a pixel within it: the pointer has come to rest there.
    ASSERT_TRUE(MoveMouseTo({middle.x - 1, middle.y}));
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(MoveMouseTo(middle));

    // The tooltip window is the program's, not a child of the panel: found among the top-level
    // windows, and read once shown.
    std::optional<std::wstring> text;
    WaitUntil(
        [&] {
            const HWND tip = FindTopLevelWindow(L"tooltips_class32", panel.process().Id());
            return tip != nullptr && IsWindowVisible(tip) && (text = ReadText(tip)) &&
                   !text->empty();
        },
        10s);
    EXPECT_EQ(text, Utf8ToWide(testing::tips::kCon)) << "no tooltip shown, or not Con's";

    MoveMouseTo({0, 0});
    std::this_thread::sleep_for(1s);  // time enough for a wrongly posted line to arrive
    EXPECT_EQ(client.record().WaitForLines(0).size(), 2u) << "resting the mouse posted a line";
    EXPECT_TRUE(panel.process().Running());
}

// Made in this process at the rig's 96 dpi: one tooltip window, owned by the panel and not one
// of its nine controls, with a tool for each control; moved to a monitor at 150 %, its text
// wraps half as wide again and its font is half as tall again.
TEST(Tooltips, OnePopupOwnedByThePanelFollowsItsDensity) {
    Win32WindowOps noClient;
    PanelWindow panel{noClient, [] {}};
    ASSERT_TRUE(panel.Create(GetModuleHandleW(nullptr)));
    const HWND tip = panel.Tooltips();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), panel.hwnd());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 9);
    int children = 0;
    for (HWND c = GetWindow(panel.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 9);

    const auto fontHeight = [&] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tip, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    };
    const int at96 = fontHeight();
    EXPECT_GT(at96, 0);
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 320);
    RECT frame;
    GetWindowRect(panel.hwnd(), &frame);
    SendMessageW(panel.hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&frame));
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 480);
    EXPECT_NEAR(fontHeight(), at96 * 1.5, 1.0);
}

}  // namespace
}  // namespace quillow
