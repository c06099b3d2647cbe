// The panel: made in this process at the rig's 96 dpi, it is laid out, lettered, coloured,
// painted and iconed as designed, with a tooltip for each control, and laid out again when its
// density changes; the program holds its icon in every size. Run as a user runs it, beside the
// stand-in chat client, each command's lines reach the room byte for byte, Tab walks the
// controls, only real clicks run commands, a tooltip shows where the mouse rests, the timer
// ticks after a minute, Exit and closing end the program, and a second start only brings the
// running panel forward.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "automation/ansi_text.h"
#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/process.h"
#include "driver/session.h"
#include "panel/background_art.h"
#include "panel/layout.h"
#include "panel/panel_window_win.h"
#include "tests/support/room_lines.h"
#include "tests/support/tooltip_texts.h"
#include "tests/windows/end_to_end.h"

namespace quillow {

namespace {

using namespace driver;
using namespace std::chrono_literals;

// --- The panel window in this process ---

// The font the window draws its text with; all zero for the system font.
LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// At `dpi`: the client area's size and every control's rectangle as the layout gives them
// (its unit test pins the figures), and on every control Arial of the layout's height,
// regular, ANSI.
void ExpectLaidOutFor(HWND window, int dpi) {
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, layout::ClientSize(dpi).width);
    EXPECT_EQ(client.bottom, layout::ClientSize(dpi).height);
    for (const layout::Control& expected : layout::kControls) {
        SCOPED_TRACE(::testing::Message() << "control " << expected.id << " at " << dpi << " dpi");
        const HWND control = GetDlgItem(window, expected.id);
        ASSERT_NE(control, nullptr);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const layout::PixelRect laidOut = layout::ControlRect(expected, dpi);
        EXPECT_EQ(r.left, laidOut.left);
        EXPECT_EQ(r.top, laidOut.top);
        EXPECT_EQ(r.right - r.left, laidOut.width);
        EXPECT_EQ(r.bottom - r.top, laidOut.height);

        const LOGFONTW logical = FontOf(control);
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

int WidthOf(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

class PanelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Create(GetModuleHandleW(nullptr)));
        ASSERT_EQ(panel.Dpi(), 96) << "the figures here are the layout at 96 dpi";
        window = panel.hwnd();
    }
    // Wine answers WM_GETICON only from within the window's own process.
    int IconWidth(WPARAM which) {
        return WidthOf(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)));
    }

    Win32WindowOps noClient;  // no client runs beside these cases, and nothing is clicked
    PanelWindow panel{noClient, [] {}};
    HWND window = nullptr;
};

TEST_F(PanelWindowTest, CaptionControlsFontIconsAndTooltipsAsMade) {
    EXPECT_EQ(ReadText(window), L"        Quillow [Torvik.Zennoq]");
    // A fixed frame: the layout would not follow a resize.
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    ExpectLaidOutFor(window, 96);

    for (const layout::Control& expected : layout::kControls) {
        SCOPED_TRACE(::testing::Message() << "control " << expected.id);
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

    // Large icons at 32 px and small ones at 16, as Windows shows them at 96 dpi.
    EXPECT_EQ(IconWidth(ICON_BIG), 32);
    EXPECT_EQ(IconWidth(ICON_SMALL), 16);
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0u);
    // One tooltip window, owned by the panel (so not one of its controls), with a tool for each
    // control.
    const HWND tip = panel.Tooltips();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), window);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 9);
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 320);
}

// Light blue (red 128, green 128, blue 255) on white, and so painted: white inside, the text
// light blue (or a blend of that and white, should the glyphs be smoothed), nothing black.
TEST_F(PanelWindowTest, ReasonBoxIsLightBlueOnWhite) {
    const HWND box = GetDlgItem(window, layout::kText1Id);
    RECT inside;
    GetClientRect(box, &inside);
    Canvas drawn(inside.right, inside.bottom);
    SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(drawn.dc()),
                 reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(GetTextColor(drawn.dc()), RGB(128, 128, 255));
    EXPECT_EQ(GetBkColor(drawn.dc()), RGB(255, 255, 255));
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

// Moved to a monitor at 150 %, the panel is as it would have started there, in the frame the
// system suggests, with the picture painted for it, icons of 48 and 24 px, and tooltips that
// wrap half as wide again in a font half as tall again; moved back, as it started.
TEST_F(PanelWindowTest, DpiChangeLaysThePanelOutAgainInTheSuggestedFrame) {
    constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
    const HWND tip = panel.Tooltips();
    const int tipFontAt96 = std::abs(FontOf(tip).lfHeight);
    EXPECT_GT(tipFontAt96, 0);
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
    EXPECT_EQ(IconWidth(ICON_BIG), 48);
    EXPECT_EQ(IconWidth(ICON_SMALL), 24);
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 480);
    EXPECT_NEAR(std::abs(FontOf(tip).lfHeight), tipFontAt96 * 1.5, 1.0);

    SendMessageW(window, kDpiChanged, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&at96));
    ExpectLaidOutFor(window, 96);
    GetWindowRect(window, &frame);
    EXPECT_TRUE(EqualRect(&frame, &at96));
    // Away from the controls, the moon, the nib, and the far corner of the client area.
    ExpectPictureAsPainted(window, 96,
                           {{5, 40}, {150, 100}, {47, 80}, {70, 205}, {300, 30}, {311, 225}});
}

// --- The program's icon, in the built file ---

// The bytes of one resource of a module, empty when it has none.
std::string ResourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    return loaded == nullptr ? std::string()
                             : std::string(static_cast<const char*>(LockResource(loaded)),
                                           SizeofResource(module, found));
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

// Explorer shows a program's first icon group: named groups come first, then numbered ones in
// order. The program has one, numbered, with 16 to 48 px as 32-bit bitmaps with their mask
// (what XP reads) and 256 px as PNG.
TEST(ProgramIcon, TheProgramHoldsOneGroupOfEverySize) {
    const HMODULE exe = LoadLibraryExW(BuildTreeProgram("app/quillow.exe").wstring().c_str(),
                                       nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    std::vector<ULONG_PTR> groups;
    EnumResourceNamesW(exe, RT_GROUP_ICON, AddName, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_EQ(groups.size(), 1u);
    ASSERT_TRUE(IS_INTRESOURCE(groups[0])) << "a named group would not be the first";

    // A six-byte header, then 14 bytes an image: width, height (0 for 256), colours, reserved,
    // planes, bits a pixel, size in bytes, and the number of its RT_ICON resource.
    const std::string group = ResourceBytes(exe, RT_GROUP_ICON, MAKEINTRESOURCEW(groups[0]));
    const auto number = [&](size_t at, size_t bytes) {
        DWORD value = 0;
        std::memcpy(&value, group.data() + at, bytes);
        return value;
    };
    ASSERT_EQ(group.size(), 6 + 14 * number(4, 2));
    std::vector<DWORD> sizes;
    for (size_t entry = 6; entry < group.size(); entry += 14) {
        const DWORD size = number(entry, 1) == 0 ? 256 : number(entry, 1);
        SCOPED_TRACE(::testing::Message() << size << " px");
        sizes.push_back(size);
        EXPECT_EQ(number(entry + 6, 2), 32u) << "bits a pixel";
        const std::string image =
            ResourceBytes(exe, RT_ICON, MAKEINTRESOURCEW(number(entry + 12, 2)));
        if (size == 256) {
            EXPECT_EQ(image.substr(0, 8), "\x89PNG\r\n\x1a\n");
            continue;
        }
        // A bitmap's header, then its colours and its mask (rows of whole 32-bit words).
        BITMAPINFOHEADER header{};
        std::memcpy(&header, image.data(), std::min(image.size(), sizeof header));
        EXPECT_EQ(header.biWidth, static_cast<LONG>(size));
        EXPECT_EQ(image.size(), sizeof header + size * size * 4 + size * ((size + 31) / 32 * 4));
    }
    EXPECT_EQ(sizes, (std::vector<DWORD>{16, 20, 24, 32, 40, 48, 256}));
    FreeLibrary(exe);
}

// --- Quillow as a user runs it, beside the stand-in client ---

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

// The greetings come a wait apart, before the panel is shown. "Start" takes the reason as the
// box holds it after its wait: the typing is queued behind the click, so the panel takes it in
// during the wait. "IM on" and "IM off" post their lines, then send their instant messages.
TEST_F(PanelEndToEnd, CommandsPostTheirLinesApartAndSendTheirInstantMessages) {
    Click(layout::kConId);
    ASSERT_EQ(Texts(4).size(), 4u);
    ASSERT_TRUE(panel().SetReason(L"tea"));
    Click(layout::kStartId);
    const HWND box = panel().Control(layout::kText1Id);
    ASSERT_TRUE(PostMessageW(box, EM_SETSEL, 0, -1));
    for (const wchar_t c : std::wstring(L" back at 5 & <i>café</i> – soon ")) {
        ASSERT_TRUE(PostMessageW(box, WM_CHAR, c, 1));
    }
    ASSERT_EQ(Texts(6).size(), 6u);
    Click(layout::kImOnId);
    ASSERT_EQ(client().record().WaitForEvents("im", 1, kBound).size(), 1u);
    Click(layout::kImOffId);
    const std::vector<RecordEntry> sent = client().record().WaitForEvents("im", 2, kBound);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].where, "$IM_on");
    EXPECT_EQ(sent[0].bytes, "im back");
    EXPECT_EQ(sent[1].where, "$IM_off");
    EXPECT_EQ(sent[1].bytes, "bye");
    EXPECT_EQ(Texts(8),
              (std::vector<std::string>{room::kGreeting, room::kMotto, room::kContactTorvik,
                                        room::kContactZennoq, room::kWentIdle,
                                        room::IdleCause(" back at 5 & <i>caf\xE9</i> \x96 soon "),
                                        room::kImsOn, room::kImsOff}));
    const std::vector<RecordEntry> lines = Lines(8);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_LT(lines[1].seconds, panel().ShownAt()) << "shown before the greetings ended";
    for (const size_t second : {1, 3, 5}) {
        EXPECT_GE(lines[second].seconds - lines[second - 1].seconds, kLineGap) << second;
    }
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

// The real mouse comes to rest on "Con", and the tooltip that the panel's program shows says
// what the button posts, read from outside the program as a screen reader would; resting there
// posts nothing.
TEST_F(PanelEndToEnd, MouseRestingOnConShowsItsTooltipAndPostsNothing) {
    RECT button;
    ASSERT_TRUE(GetWindowRect(panel().Control(layout::kConId), &button));
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
            const HWND tip = FindTopLevelWindow(L"tooltips_class32", panel().process().Id());
            return tip != nullptr && IsWindowVisible(tip) && (text = ReadText(tip)) &&
                   !text->empty();
        },
        10s);
    EXPECT_EQ(text, Utf8ToWide(testing::tips::kCon)) << "no tooltip shown, or not Con's";

    MoveMouseTo({0, 0});
    std::this_thread::sleep_for(1s);  // time enough for a wrongly posted line to arrive
    EXPECT_EQ(Texts(0).size(), 2u) << "resting the mouse posted a line";
    EXPECT_TRUE(panel().process().Running());
}

// The one-minute timer, with nothing clicked: the idle line and the reason box's first text,
// its final space included, come about a minute after the program started.
TEST_F(PanelEndToEnd, FirstTickPostsTheIdleLineAndTheUntouchedReasonAfterAMinute) {
    EXPECT_EQ(client().record().WaitForLines(4, "room1", 90s),
              (std::vector<std::string>{room::kGreeting, room::kMotto, room::kTick,
                                        room::ReLine("Put your reason ")}));
    const std::vector<RecordEntry> lines = Lines(0);
    ASSERT_EQ(lines.size(), 4u) << "no tick within 90 s";
    const double tick = lines[2].seconds - panel().StartedAt();
    EXPECT_GE(tick, 55.0);
    EXPECT_LE(tick, 70.0);
    EXPECT_GE(lines[3].seconds - lines[2].seconds, kLineGap);
    EXPECT_TRUE(panel().process().Running()) << "the tick ended the program";
}

// --- One panel at a time ---

// Starts quillow.exe again: true when it ends by itself with exit code 0 (a second panel would
// stay). Generously bounded: under an emulator on a busy machine even a quick start takes time.
bool StartsAndEndsAtOnce() {
    Process second = Process::Start(BuildTreeProgram("app/quillow.exe"));
    DWORD code = STILL_ACTIVE;
    return second.WaitForExit(kBound) && GetExitCodeProcess(second.Handle(), &code) && code == 0;
}

// Behind another window, and then minimized: each time a second start brings the panel to the
// front (restoring it), and says nothing to the room; the panel goes on as before.
TEST_F(PanelEndToEnd, ASecondStartBringsTheRunningPanelForwardAndPostsNothing) {
    const HWND window = panel().Window();
    const HWND other = client().MainWindow();
    // Without a window manager the display hands the panel its focus late, which puts it in
    // front again: the other window is asked to the front until it has stayed there a while.
    double since = 0;
    const auto settledInFront = [&] {
        if (GetForegroundWindow() == other) return CounterSeconds() - since > 0.5;
        SetForegroundWindow(other);
        since = CounterSeconds();
        return false;
    };
    ASSERT_TRUE(WaitUntil(settledInFront, 10s, 50ms));
    EXPECT_TRUE(StartsAndEndsAtOnce());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5s)) << "not in front";

    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window); }, 5s));
    EXPECT_TRUE(StartsAndEndsAtOnce());
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(window) && GetForegroundWindow() == window; }, 5s))
        << "not restored";
    Click(layout::kStopId);
    EXPECT_EQ(Texts(3), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kCameBack}));
}

// The session's claim goes with the process however it ends: after "Exit", and after the
// program was killed, the next start greets the room.
TEST_F(PanelEndToEnd, AfterTheFirstHasEndedTheNextStartIsAnOrdinaryOne) {
    Click(layout::kExitId);
    ASSERT_TRUE(panel().process().WaitForExit(kBound));
    RunningPanel second = RunningPanel::Start();
    EXPECT_EQ(Texts(5), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kExit,
                                                  room::kGreeting, room::kMotto}));

    second.process().Terminate();
    const RunningPanel third = RunningPanel::Start();
    EXPECT_EQ(Texts(7),
              (std::vector<std::string>{room::kGreeting, room::kMotto, room::kExit, room::kGreeting,
                                        room::kMotto, room::kGreeting, room::kMotto}));
}

}  // namespace
}  // namespace quillow
