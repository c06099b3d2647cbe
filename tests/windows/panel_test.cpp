// The panel: made in this process at the rig's 96 dpi, it is laid out, lettered, coloured and
// painted as designed, and laid out again when its density changes; run as a user runs it, beside
// the stand-in chat client, each command's lines reach the room byte for byte, Tab walks the
// controls, only real clicks run commands, and Exit and closing end the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "automation/ansi_text.h"
#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/session.h"
#include "panel/background_art.h"
#include "panel/layout.h"
#include "panel/panel_window_win.h"
#include "tests/support/room_lines.h"
#include "tests/windows/end_to_end.h"

namespace quillow {

namespace layout {
void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
void PrintTo(const PixelSize& size, std::ostream* out) {
    *out << size.width << " x " << size.height;
}
}  // namespace layout

namespace {

using namespace driver;
using namespace std::chrono_literals;

// --- The panel window in this process ---

// At `dpi`: the client area's size and every control's rectangle as the layout gives them
// (its unit test pins the figures), and on every control Arial of the layout's height,
// regular, ANSI.
void ExpectLaidOutFor(HWND window, int dpi) {
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ((layout::PixelSize{client.right, client.bottom}), layout::ClientSize(dpi));
    for (const layout::Control& expected : layout::kControls) {
        SCOPED_TRACE(testing::Message() << "control " << expected.id << " at " << dpi << " dpi");
        const HWND control = GetDlgItem(window, expected.id);
        ASSERT_NE(control, nullptr);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((layout::PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  layout::ControlRect(expected, dpi));

        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << "the system font";
        LOGFONTW logical{};
        ASSERT_EQ(GetObjectW(font, sizeof logical, &logical), static_cast<int>(sizeof logical));
        EXPECT_STREQ(logical.lfFaceName, L"Arial");
        EXPECT_EQ(logical.lfHeight, -layout::FontPixels(dpi));
        EXPECT_EQ(logical.lfWeight, FW_NORMAL);
        EXPECT_FALSE(logical.lfItalic || logical.lfUnderline || logical.lfStrikeOut);
        EXPECT_EQ(logical.lfCharSet, ANSI_CHARSET);
    }
}

// A bitmap like the screen's to paint on.
class Canvas {
public:
    Canvas(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

class PanelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Create(GetModuleHandleW(nullptr)));
        ASSERT_EQ(panel.Dpi(), 96) << "the figures here are the layout at 96 dpi";
        window = panel.hwnd();
    }

    Win32WindowOps noClient;  // no client runs beside these cases, and nothing is clicked
    PanelWindow panel{noClient, [] {}};
    HWND window = nullptr;
};

TEST_F(PanelWindowTest, CaptionControlsAndFontAsLaidOut) {
    EXPECT_EQ(ReadText(window), L"        Quillow [Torvik.Zennoq]");
    // A fixed frame: the layout would not follow a resize.
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    ExpectLaidOutFor(window, 96);

    for (const layout::Control& expected : layout::kControls) {
        SCOPED_TRACE(testing::Message() << "control " << expected.id);
        const HWND control = GetDlgItem(window, expected.id);
        wchar_t className[64] = {};
        GetClassNameW(control, className, 64);
        const bool box = expected.kind == layout::ControlKind::TextBox;
        EXPECT_STREQ(className, box ? L"Edit" : L"Button");
        EXPECT_EQ(ReadText(control), Utf8ToWide(expected.text));
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        EXPECT_EQ(style & (WS_VISIBLE | WS_TABSTOP | WS_DISABLED), WS_VISIBLE | WS_TABSTOP);
        // Plain push buttons, none of them the default; a single-line box that takes typing.
        EXPECT_EQ(style & (box ? ES_MULTILINE | ES_READONLY | ES_PASSWORD : BS_TYPEMASK), 0u);
    }
}

// Light blue (red 128, green 128, blue 255) on white, and so painted: white inside, the text
// light blue (or a blend of that and white, should the glyphs be smoothed), nothing black.
TEST_F(PanelWindowTest, ReasonBoxIsLightBlueOnWhite) {
    const HWND box = GetDlgItem(window, layout::kText1Id);
    Canvas colours(8, 8);
    SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(colours.dc()),
                 reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(GetTextColor(colours.dc()), RGB(128, 128, 255));
    EXPECT_EQ(GetBkColor(colours.dc()), RGB(255, 255, 255));

    RECT inside;
    GetClientRect(box, &inside);
    Canvas drawn(inside.right, inside.bottom);
    SendMessageW(box, WM_PRINT, reinterpret_cast<WPARAM>(drawn.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    int white = 0, lightBlue = 0, black = 0;
    for (int y = 0; y < inside.bottom; ++y) {
        for (int x = 0; x < inside.right; ++x) {
            const COLORREF c = GetPixel(drawn.dc(), x, y);
            white += c == RGB(255, 255, 255);
            black += c == RGB(0, 0, 0);
            lightBlue += c != RGB(255, 255, 255) && GetRValue(c) == GetGValue(c) &&
                         GetBValue(c) > GetRValue(c) + 8 && GetBValue(c) > 200;
        }
    }
    EXPECT_GT(white, inside.right * inside.bottom / 2) << "white background";
    EXPECT_GT(lightBlue, 10) << "light blue text";
    EXPECT_EQ(black, 0);
}

// The client area printed at `dpi` shows, at each of `points`, the pixel the picture's painter
// makes for that density: painted at it, not scaled from another.
void ExpectPictureAsPainted(HWND window, int dpi, std::initializer_list<POINT> points) {
    const layout::PixelSize size =
        layout::PictureSize({art::kDesignWidth, art::kDesignHeight}, dpi);
    std::vector<std::uint32_t> painted(static_cast<size_t>(size.width) * size.height);
    art::PaintBackground(painted, size.width, size.height, dpi / 96.0);
    RECT client;
    GetClientRect(window, &client);
    Canvas printed(client.right, client.bottom);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
    for (const POINT& point : points) {
        const std::uint32_t pixel = painted[point.y * size.width + point.x];
        EXPECT_EQ(GetPixel(printed.dc(), point.x, point.y),
                  RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF))
            << point.x << "," << point.y << " at " << dpi << " dpi";
    }
}

// Away from the controls, the moon, the nib, and the far corner of the client area.
TEST_F(PanelWindowTest, PictureIsPaintedOverTheClientArea) {
    ExpectPictureAsPainted(window, 96,
                           {{5, 40}, {150, 100}, {47, 80}, {70, 205}, {300, 30}, {311, 225}});
}

// Moved to a monitor at 150 %, the panel is as it would have started there, in the frame the
// system suggests, with the picture painted for it; moved back, as it started.
TEST_F(PanelWindowTest, DpiChangeLaysThePanelOutAgainInTheSuggestedFrame) {
    constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
    RECT at96;
    ASSERT_TRUE(GetWindowRect(window, &at96));
    // The same frame around the client area of 144 dpi rather than 96, a little moved.
    const auto [width96, height96] = layout::ClientSize(96);
    const auto [width144, height144] = layout::ClientSize(144);
    const RECT suggested{at96.left + 10, at96.top + 20, at96.right + 10 + width144 - width96,
                         at96.bottom + 20 + height144 - height96};
    SendMessageW(window, kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(panel.Dpi(), 144);
    ExpectLaidOutFor(window, 144);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_TRUE(EqualRect(&frame, &suggested));
    ExpectPictureAsPainted(window, 144, {{71, 120}, {105, 308}, {330, 240}, {467, 338}});

    SendMessageW(window, kDpiChanged, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&at96));
    ExpectLaidOutFor(window, 96);
    GetWindowRect(window, &frame);
    EXPECT_TRUE(EqualRect(&frame, &at96));
    ExpectPictureAsPainted(window, 96, {{47, 80}, {311, 225}});
}

// --- Quillow as a user runs it, beside the stand-in client ---

constexpr double kLineGap = 0.65;  // two lines a wait (0.7 s) apart come at least this far apart

class PanelEndToEnd : public EndToEnd {
protected:
    void SetUp() override { Start(); }

    // The room's lines with their times, once there are `count`.
    std::vector<RecordEntry> Lines(size_t count) {
        client().record().WaitForLines(count, "room1", kBound);
        return client().record().Lines();
    }
};

TEST_F(PanelEndToEnd, GreetingsArriveApartBeforeThePanelIsShown) {
    ASSERT_EQ(Texts(2), (std::vector<std::string>{room::kGreeting, room::kMotto}));
    const std::vector<RecordEntry> lines = Lines(2);
    EXPECT_GT(lines[0].seconds, panel().StartedAt());
    EXPECT_GE(lines[1].seconds - lines[0].seconds, kLineGap);
    EXPECT_LT(lines[1].seconds, panel().ShownAt()) << "shown before the greetings ended";
}

// "Start" takes the reason as the box holds it after its wait: the typing is queued behind the
// click, so the panel takes it in during the wait.
TEST_F(PanelEndToEnd, StopAdvConAndStartPostTheirLines) {
    Click(layout::kStopId);
    ASSERT_EQ(Texts(3).size(), 3u);
    Click(layout::kAdvId);
    ASSERT_EQ(Texts(4).size(), 4u);
    Click(layout::kConId);
    ASSERT_EQ(Texts(6).size(), 6u);
    ASSERT_TRUE(panel().SetReason(L"tea"));
    Click(layout::kStartId);
    const HWND box = panel().Control(layout::kText1Id);
    ASSERT_TRUE(PostMessageW(box, EM_SETSEL, 0, -1));
    for (const wchar_t c : std::wstring(L" back at 5 & <i>café</i> – soon ")) {
        ASSERT_TRUE(PostMessageW(box, WM_CHAR, c, 1));
    }
    EXPECT_EQ(Texts(8), (std::vector<std::string>{
                            room::kGreeting, room::kMotto, room::kCameBack, room::kCredit,
                            room::kContactTorvik, room::kContactZennoq, room::kWentIdle,
                            room::IdleCause(" back at 5 & <i>caf\xE9</i> \x96 soon ")}));
    const std::vector<RecordEntry> lines = Lines(8);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_GE(lines[5].seconds - lines[4].seconds, kLineGap);
    EXPECT_GE(lines[7].seconds - lines[6].seconds, kLineGap);
}

TEST_F(PanelEndToEnd, ImOnAndImOffPostTheirLinesThenSendTheirInstantMessages) {
    Click(layout::kImOnId);
    ASSERT_EQ(client().record().WaitForEvents("im", 1, kBound).size(), 1u);
    Click(layout::kImOffId);
    const std::vector<RecordEntry> sent = client().record().WaitForEvents("im", 2, kBound);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].where, "$IM_on");
    EXPECT_EQ(sent[0].bytes, "im back");
    EXPECT_EQ(sent[1].where, "$IM_off");
    EXPECT_EQ(sent[1].bytes, "bye");
    ASSERT_EQ(Texts(4), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kImsOn,
                                                  room::kImsOff}));
    const std::vector<RecordEntry> lines = Lines(4);
    EXPECT_LT(lines[2].seconds, sent[0].seconds) << "the line comes first";
    EXPECT_LT(lines[3].seconds, sent[1].seconds);
}

TEST_F(PanelEndToEnd, ClearChatEmptiesTheTranscriptAndLeavesTheInputBoxAlone) {
    const HWND room = FindChild(FindChild(client().MainWindow(), L"MDIClient"), L"AOL Child");
    const HWND transcript = FindChild(room, L"RICHCNTLREADONLY");
    const HWND input = FindChild(room, L"RICHCNTL");
    ASSERT_NE(ReadText(transcript).value_or(L""), L"") << "the greetings should be shown";
    ASSERT_TRUE(SetText(input, L"half a sentence"));

    Click(layout::kClearChatId);
    ASSERT_EQ(client().record().WaitForEvents("cleared", 1, kBound).size(), 1u);
    EXPECT_EQ(ReadText(transcript), L"");
    EXPECT_EQ(ReadText(input), L"half a sentence");
    // Nothing was posted: the next line in the room is the next command's.
    Click(layout::kAdvId);
    EXPECT_EQ(Texts(3), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kCredit}));
}

// A close during a wait: the farewell comes once, the wait's command never resumes, and the
// program ends with 0. The release check runs this case on the program from the archive.
TEST_F(PanelEndToEnd, ClosingTwiceDuringTheWaitOfStartSaysFarewellOnceAndEnds) {
    Click(layout::kStartId);
    ASSERT_EQ(Texts(3).size(), 3u) << "Start posted nothing";
    ASSERT_TRUE(PostClose(panel().Window()));
    ASSERT_TRUE(PostClose(panel().Window()));
    ASSERT_TRUE(panel().process().WaitForExit(kBound)) << "the program did not end";
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(panel().process().Handle(), &code) && code == 0) << code;
    EXPECT_EQ(Texts(0), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kWentIdle,
                                                  room::kFarewell, room::kUnloaded}));
    const std::vector<RecordEntry> lines = Lines(0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_GE(lines[4].seconds - lines[3].seconds, kLineGap);
}

// The focus starts on "Start" and Tab goes round Text1, Stop, IM on, IM off, Clr Cht, Exit,
// Adv, Con and back. Neither that nor anything but a button's own click runs a command.
TEST_F(PanelEndToEnd, TabWalksTheControlsAndOnlyButtonClicksRunCommands) {
    const HWND window = panel().Window();
    ASSERT_TRUE(
        WaitUntil([&] { return FocusedControl(window) == panel().Control(layout::kStartId); }, 5s))
        << "the focus is not on Start once the panel is shown";
    for (const int id : {layout::kText1Id, layout::kStopId, layout::kImOnId, layout::kImOffId,
                         layout::kClearChatId, layout::kExitId, layout::kAdvId, layout::kConId,
                         layout::kStartId}) {
        const HWND from = FocusedControl(window);
        ASSERT_TRUE(PressTab(window));
        EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window) == panel().Control(id); }, 5s))
            << "Tab from control " << GetDlgCtrlID(from) << " did not go to " << id;
    }

    // A click on the bare window and the picture; IDOK and IDCANCEL as the dialog manager
    // would send them; a notification naming another button than its id; another kind of
    // notification; typing in the reason box.
    const HWND stop = panel().Control(layout::kStopId);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 100));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(layout::kStartId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(stop));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(layout::kStopId, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(stop));
    PostMessageW(panel().Control(layout::kText1Id), WM_CHAR, 'x', 1);
    Click(layout::kAdvId);
    EXPECT_EQ(Texts(3), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kCredit}));
    EXPECT_TRUE(panel().process().Running());
}

}  // namespace
}  // namespace quillow
