// The panel: made in this process at the rig's 96 dpi, it is laid out, lettered, coloured and
// painted as designed, and laid out again when its density changes; run as a user runs it, beside
// the stand-in chat client, each command's lines reach the room byte for byte, Tab walks the
// controls, only real clicks run commands, and Exit and closing end the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/running_panel.h"
#include "driver/standin_client.h"
#include "panel/background_art.h"
#include "panel/layout.h"
#include "panel/panel_window_win.h"
#include "tests/windows/room_lines.h"

namespace quillow {
namespace {

using namespace driver;
using namespace std::chrono_literals;

// --- The panel window in this process ---

// Every control: id, class, caption or text, and its rectangle in client pixels (left, top,
// width, height) at 96 dpi and at 144 dpi (150 %).
using Box = std::array<int, 4>;
struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    Box at96, at144;
};
constexpr std::array<ExpectedControl, 9> kLayout{{
    {kImOnButton, L"Button", L"IM on", {0, 0, 41, 13}, {0, 0, 62, 20}},
    {kConButton, L"Button", L"Con", {40, 0, 25, 13}, {60, 0, 38, 20}},
    {kStartButton, L"Button", L"Start", {64, 0, 41, 13}, {96, 0, 62, 20}},
    {kReasonBox, L"Edit", L"Put your reason ", {112, 0, 89, 13}, {168, 0, 134, 20}},
    {kStopButton, L"Button", L"Stop", {208, 0, 41, 13}, {312, 0, 62, 20}},
    {kAdvButton, L"Button", L"Adv", {248, 0, 25, 13}, {372, 0, 38, 20}},
    {kImOffButton, L"Button", L"IM off", {272, 0, 41, 13}, {408, 0, 62, 20}},
    {kClearChatButton, L"Button", L"Clr Cht", {32, 16, 41, 13}, {48, 24, 62, 20}},
    {kExitButton, L"Button", L"Exit", {240, 16, 41, 13}, {360, 24, 62, 20}},
}};

// At 96 or 144 dpi: the client area's size, every control's rectangle, and on every control
// Arial of the density's height (9 or 14 pixels), regular, ANSI.
void ExpectLaidOutFor(HWND window, int dpi) {
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, dpi == 96 ? 312 : 468);
    EXPECT_EQ(client.bottom, dpi == 96 ? 226 : 339);
    for (const ExpectedControl& expected : kLayout) {
        SCOPED_TRACE(testing::Message() << "control " << expected.id << " at " << dpi << " dpi");
        const HWND control = GetDlgItem(window, expected.id);
        ASSERT_NE(control, nullptr);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((Box{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  dpi == 96 ? expected.at96 : expected.at144);

        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << "the system font";
        LOGFONTW logical{};
        ASSERT_EQ(GetObjectW(font, sizeof logical, &logical), static_cast<int>(sizeof logical));
        EXPECT_STREQ(logical.lfFaceName, L"Arial");
        EXPECT_EQ(logical.lfHeight, dpi == 96 ? -9 : -14);
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

    for (const ExpectedControl& expected : kLayout) {
        SCOPED_TRACE(testing::Message() << "control " << expected.id);
        const HWND control = GetDlgItem(window, expected.id);
        wchar_t className[64] = {};
        GetClassNameW(control, className, 64);
        EXPECT_STREQ(className, expected.className);
        EXPECT_EQ(ReadText(control), expected.text);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        EXPECT_EQ(style & (WS_VISIBLE | WS_TABSTOP | WS_DISABLED), WS_VISIBLE | WS_TABSTOP);
        // Plain push buttons, none of them the default; a single-line box that takes typing.
        EXPECT_EQ(style & (expected.id == kReasonBox ? ES_MULTILINE | ES_READONLY | ES_PASSWORD
                                                     : BS_TYPEMASK),
                  0u);
    }
}

// Light blue (red 128, green 128, blue 255) on white, and so painted: white inside, the text
// light blue (or a blend of that and white, should the glyphs be smoothed), nothing black.
TEST_F(PanelWindowTest, ReasonBoxIsLightBlueOnWhite) {
    const HWND box = GetDlgItem(window, kReasonBox);
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
    // The same frame around a client area of 468 x 339 rather than 312 x 226, a little moved.
    const RECT suggested{at96.left + 10, at96.top + 20, at96.right + 166, at96.bottom + 133};
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

constexpr auto kBound = 15s;       // far above what anything here takes; only a broken run waits
constexpr double kLineGap = 0.65;  // two lines a wait (0.7 s) apart come at least this far apart

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

class PanelEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        client_.emplace(StandinClient::Start(TestName()));
        panel_.emplace(RunningPanel::Start());
        ASSERT_EQ(Texts(2).size(), 2u) << "no greetings";
    }

    void Click(int id) { ASSERT_TRUE(panel_->Click(id)) << "button " << id; }

    // The room's lines, with their times, once there are `count` (or those there are when the
    // time is up).
    std::vector<RecordEntry> Lines(size_t count) {
        client_->record().WaitForLines(count, "room1", kBound);
        return client_->record().Lines();
    }
    std::vector<std::string> Texts(size_t count) {
        return client_->record().WaitForLines(count, "room1", kBound);
    }

    // Declared so that the panel is ended before the client.
    std::optional<StandinClient> client_;
    std::optional<RunningPanel> panel_;
};

TEST_F(PanelEndToEnd, GreetingsArriveApartBeforeThePanelIsShown) {
    ASSERT_EQ(Texts(2), (std::vector<std::string>{room::kGreeting, room::kMotto}));
    const std::vector<RecordEntry> lines = Lines(2);
    EXPECT_GT(lines[0].seconds, panel_->StartedAt());
    EXPECT_GE(lines[1].seconds - lines[0].seconds, kLineGap);
    EXPECT_LT(lines[1].seconds, panel_->ShownAt()) << "shown before the greetings ended";
}

// "Start" takes the reason as the box holds it after its wait: the typing is queued behind the
// click, so the panel takes it in during the wait.
TEST_F(PanelEndToEnd, StopAdvConAndStartPostTheirLines) {
    Click(kStopButton);
    ASSERT_EQ(Texts(3).size(), 3u);
    Click(kAdvButton);
    ASSERT_EQ(Texts(4).size(), 4u);
    Click(kConButton);
    ASSERT_EQ(Texts(6).size(), 6u);
    ASSERT_TRUE(panel_->SetReason(L"tea"));
    Click(kStartButton);
    const HWND box = panel_->Control(kReasonBox);
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
    Click(kImOnButton);
    ASSERT_EQ(client_->record().WaitForEvents("im", 1, kBound).size(), 1u);
    Click(kImOffButton);
    const std::vector<RecordEntry> sent = client_->record().WaitForEvents("im", 2, kBound);
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
    const HWND room = FindChild(FindChild(client_->MainWindow(), L"MDIClient"), L"AOL Child");
    const HWND transcript = FindChild(room, L"RICHCNTLREADONLY");
    const HWND input = FindChild(room, L"RICHCNTL");
    ASSERT_NE(ReadText(transcript).value_or(L""), L"") << "the greetings should be shown";
    ASSERT_TRUE(SetText(input, L"half a sentence"));

    Click(kClearChatButton);
    ASSERT_EQ(client_->record().WaitForEvents("cleared", 1, kBound).size(), 1u);
    EXPECT_EQ(ReadText(transcript), L"");
    EXPECT_EQ(ReadText(input), L"half a sentence");
    // Nothing was posted: the next line in the room is the next command's.
    Click(kAdvButton);
    EXPECT_EQ(Texts(3), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kCredit}));
}

// A close during a wait: the farewell comes once, the wait's command never resumes, and the
// program ends with 0. The release check runs this case on the program from the archive.
TEST_F(PanelEndToEnd, ClosingTwiceDuringTheWaitOfStartSaysFarewellOnceAndEnds) {
    Click(kStartButton);
    ASSERT_EQ(Texts(3).size(), 3u) << "Start posted nothing";
    ASSERT_TRUE(PostClose(panel_->Window()));
    ASSERT_TRUE(PostClose(panel_->Window()));
    ASSERT_TRUE(panel_->process().WaitForExit(kBound)) << "the program did not end";
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(panel_->process().Handle(), &code) && code == 0) << code;
    EXPECT_EQ(Texts(0), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kWentIdle,
                                                  room::kFarewell, room::kUnloaded}));
    const std::vector<RecordEntry> lines = Lines(0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_GE(lines[4].seconds - lines[3].seconds, kLineGap);
}

// The focus starts on "Start" and Tab goes round Text1, Stop, IM on, IM off, Clr Cht, Exit,
// Adv, Con and back. Neither that nor anything but a button's own click runs a command.
TEST_F(PanelEndToEnd, TabWalksTheControlsAndOnlyButtonClicksRunCommands) {
    const HWND window = panel_->Window();
    ASSERT_TRUE(
        WaitUntil([&] { return FocusedControl(window) == panel_->Control(kStartButton); }, 5s))
        << "the focus is not on Start once the panel is shown";
    for (const int id : {kReasonBox, kStopButton, kImOnButton, kImOffButton, kClearChatButton,
                         kExitButton, kAdvButton, kConButton, kStartButton}) {
        const HWND from = FocusedControl(window);
        ASSERT_TRUE(PressTab(window));
        EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window) == panel_->Control(id); }, 5s))
            << "Tab from control " << GetDlgCtrlID(from) << " did not go to " << id;
    }

    // A click on the bare window and the picture; IDOK and IDCANCEL as the dialog manager
    // would send them; a notification naming another button than its id; another kind of
    // notification; typing in the reason box.
    const HWND stop = panel_->Control(kStopButton);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 100));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kStartButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(stop));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kStopButton, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(stop));
    PostMessageW(panel_->Control(kReasonBox), WM_CHAR, 'x', 1);
    Click(kAdvButton);
    EXPECT_EQ(Texts(3), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kCredit}));
    EXPECT_TRUE(panel_->process().Running());
}

}  // namespace
}  // namespace quillow
