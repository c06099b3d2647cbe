// The panel window in this process, at the rig's 96 dpi: its frame, its controls where the
// layout puts them, their fonts and colours, the tab order, the focus and the picture. The
// client is an empty in-memory tree, so a command that runs shows up as a lookup in it.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "assets/resource_ids.h"
#include "panel/panel_window_win.h"
#include "tests/support/fake_window_tree.h"

namespace quillow {
namespace {

constexpr int kText1 = 100;

// Every control as the layout has it at 96 dpi: id, class, caption or text, and its rectangle
// in client pixels (left, top, width, height).
struct ExpectedControl {
    const char* name;
    int id;
    const wchar_t* className;
    const wchar_t* text;
    int left, top, width, height;
};

constexpr std::array<ExpectedControl, 9> kExpected{{
    {"IM on", 3, L"Button", L"IM on", 0, 0, 41, 13},
    {"Con", 8, L"Button", L"Con", 40, 0, 25, 13},
    {"Start", 1, L"Button", L"Start", 64, 0, 41, 13},
    {"Text1", kText1, L"Edit", L"Put your reason ", 112, 0, 89, 13},
    {"Stop", 2, L"Button", L"Stop", 208, 0, 41, 13},
    {"Adv", 7, L"Button", L"Adv", 248, 0, 25, 13},
    {"IM off", 4, L"Button", L"IM off", 272, 0, 41, 13},
    {"Clr Cht", 5, L"Button", L"Clr Cht", 32, 16, 41, 13},
    {"Exit", 6, L"Button", L"Exit", 240, 16, 41, 13},
}};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    const int length = GetClassNameW(window, name, 64);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

RECT InClient(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool HasStyle(HWND window, DWORD bits) {
    return (static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & bits) == bits;
}

// A bitmap of `width` × `height` on a memory context like the screen's.
class Canvas {
public:
    Canvas(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        // Something the code under test would never paint, so an unpainted pixel shows.
        const RECT all{0, 0, width, height};
        HBRUSH marker = CreateSolidBrush(RGB(1, 2, 3));
        FillRect(dc_, &all, marker);
        DeleteObject(marker);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

class PanelLayout : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Create(GetModuleHandleW(nullptr)));
        ASSERT_EQ(panel.Dpi(), 96) << "these figures are the layout at 96 dpi";
        window = panel.hwnd();
    }

    HWND Control(int id) const { return GetDlgItem(window, id); }

    testing::FakeWindowTree client;
    int ends = 0;
    PanelWindow panel{client, [this] { ++ends; }};
    HWND window = nullptr;
};

TEST_F(PanelLayout, FrameCaptionAndClientArea) {
    EXPECT_EQ(ClassOf(window), L"QuillowPanel");
    EXPECT_EQ(TextOf(window), L"        Quillow [Torvik.Zennoq]");

    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right - client.left, 312);
    EXPECT_EQ(client.bottom - client.top, 226);

    // A fixed frame: nothing invites the user to resize a layout that would not follow.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & WS_THICKFRAME, 0u);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
    EXPECT_TRUE(style & WS_CAPTION);
    // Hidden until it is shown, which comes after the greetings.
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(PanelLayout, EveryControlInItsPlace) {
    for (const ExpectedControl& expected : kExpected) {
        SCOPED_TRACE(expected.name);
        const HWND control = Control(expected.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(panel.Control(expected.id), control);
        EXPECT_EQ(ClassOf(control), expected.className);
        EXPECT_EQ(TextOf(control), expected.text);

        const RECT rect = InClient(control);
        EXPECT_EQ(rect.left, expected.left);
        EXPECT_EQ(rect.top, expected.top);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        EXPECT_EQ(rect.bottom - rect.top, expected.height);

        EXPECT_TRUE(HasStyle(control, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        EXPECT_TRUE(IsWindowEnabled(control));
    }
}

TEST_F(PanelLayout, NeighboursOverlapByOnePixelAndIMOffIsClipped) {
    const RECT imOn = InClient(Control(3));
    const RECT con = InClient(Control(8));
    const RECT start = InClient(Control(1));
    const RECT stop = InClient(Control(2));
    const RECT adv = InClient(Control(7));
    const RECT imOff = InClient(Control(4));
    const RECT text1 = InClient(Control(kText1));
    EXPECT_EQ(imOn.right - con.left, 1);
    EXPECT_EQ(con.right - start.left, 1);
    EXPECT_EQ(stop.right - adv.left, 1);
    EXPECT_EQ(adv.right - imOff.left, 1);
    // Seven free pixels each side of the reason box.
    EXPECT_EQ(text1.left - start.right, 7);
    EXPECT_EQ(stop.left - text1.right, 7);

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(imOff.right - client.right, 1) << "the last column of \"IM off\" lies outside";
}

TEST_F(PanelLayout, ButtonsAreStandardPushButtonsAndNoneIsTheDefault) {
    for (const ExpectedControl& expected : kExpected) {
        if (expected.id == kText1) continue;
        SCOPED_TRACE(expected.name);
        const HWND button = Control(expected.id);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
        EXPECT_EQ(style & (BS_BITMAP | BS_ICON), 0u) << "the platform draws the caption";
        const auto code = SendMessageW(button, WM_GETDLGCODE, 0, 0);
        EXPECT_TRUE(code & DLGC_UNDEFPUSHBUTTON);
        EXPECT_FALSE(code & DLGC_DEFPUSHBUTTON);
    }
    const auto defaultId = static_cast<DWORD>(SendMessageW(window, DM_GETDEFID, 0, 0));
    EXPECT_NE(HIWORD(defaultId), DC_HASDEFID) << "default button " << LOWORD(defaultId);
}

TEST_F(PanelLayout, ReasonBoxIsASingleLineEditableBox) {
    const HWND text1 = Control(kText1);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(text1, GWL_STYLE));
    EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | ES_PASSWORD), 0u);
    EXPECT_TRUE(GetWindowLongPtrW(text1, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "sunken border";
    EXPECT_EQ(TextOf(text1).size(), 16u) << "ends in one space";
}

TEST_F(PanelLayout, EveryControlUsesArialAtNinePixels) {
    for (const ExpectedControl& expected : kExpected) {
        SCOPED_TRACE(expected.name);
        const auto font =
            reinterpret_cast<HFONT>(SendMessageW(Control(expected.id), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << "the system font";
        LOGFONTW logical{};
        ASSERT_EQ(GetObjectW(font, sizeof logical, &logical), static_cast<int>(sizeof logical));
        EXPECT_STREQ(logical.lfFaceName, L"Arial");
        EXPECT_EQ(logical.lfHeight, -9);
        EXPECT_EQ(logical.lfWeight, FW_NORMAL);
        EXPECT_FALSE(logical.lfItalic);
        EXPECT_FALSE(logical.lfUnderline);
        EXPECT_FALSE(logical.lfStrikeOut);
        EXPECT_EQ(logical.lfCharSet, ANSI_CHARSET);
    }
}

TEST_F(PanelLayout, ReasonBoxIsLightBlueOnWhite) {
    const HWND text1 = Control(kText1);
    Canvas canvas(8, 8);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(window, WM_CTLCOLOREDIT,
                                                             reinterpret_cast<WPARAM>(canvas.dc()),
                                                             reinterpret_cast<LPARAM>(text1)));
    EXPECT_EQ(GetTextColor(canvas.dc()), 0x00FF8080u);
    EXPECT_EQ(GetBkColor(canvas.dc()), 0x00FFFFFFu);
    ASSERT_NE(brush, nullptr);
    LOGBRUSH logical{};
    ASSERT_EQ(GetObjectW(brush, sizeof logical, &logical), static_cast<int>(sizeof logical));
    EXPECT_EQ(logical.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(logical.lbColor, 0x00FFFFFFu);

    // And the box really is drawn so: white inside, its text light blue (or a blend of that
    // and white, should the glyphs be smoothed), and nothing in the default black.
    RECT inside;
    GetClientRect(text1, &inside);
    Canvas drawn(inside.right, inside.bottom);
    SendMessageW(text1, WM_PRINT, reinterpret_cast<WPARAM>(drawn.dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    int white = 0, lightBlue = 0, black = 0;
    for (int y = 0; y < inside.bottom; ++y) {
        for (int x = 0; x < inside.right; ++x) {
            const COLORREF c = drawn.Pixel(x, y);
            if (c == RGB(255, 255, 255)) {
                ++white;
            } else if (GetRValue(c) == GetGValue(c) && GetBValue(c) > GetRValue(c) + 8 &&
                       GetBValue(c) > 200) {
                ++lightBlue;
            } else if (c == RGB(0, 0, 0)) {
                ++black;
            }
        }
    }
    EXPECT_GT(white, inside.right * inside.bottom / 2) << "white background";
    EXPECT_GT(lightBlue, 10) << "light blue text";
    EXPECT_EQ(black, 0);
}

// From Start: Text1, Stop, IM on, IM off, Clr Cht, Exit, Adv, Con, and Start again.
TEST_F(PanelLayout, TabGoesRoundInItsOrder) {
    HWND at = Control(1);
    std::vector<int> visited;
    for (size_t i = 0; i < kExpected.size(); ++i) {
        at = GetNextDlgTabItem(window, at, FALSE);
        ASSERT_NE(at, nullptr);
        visited.push_back(GetDlgCtrlID(at));
    }
    EXPECT_EQ(visited, (std::vector<int>{kText1, 2, 3, 4, 5, 6, 7, 8, 1}));

    // Backwards the same way round.
    visited.clear();
    for (size_t i = 0; i < kExpected.size(); ++i) {
        at = GetNextDlgTabItem(window, at, TRUE);
        ASSERT_NE(at, nullptr);
        visited.push_back(GetDlgCtrlID(at));
    }
    EXPECT_EQ(visited, (std::vector<int>{8, 7, 6, 5, 4, 3, 2, kText1, 1}));
}

TEST_F(PanelLayout, OnlyTheNineControlsAreChildren) {
    // The picture and the timer have no windows of their own, so they never take the focus.
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children.size(), kExpected.size());
    for (const HWND child : children) {
        const std::wstring name = ClassOf(child);
        EXPECT_TRUE(name == L"Button" || name == L"Edit") << "a child of class " << name.c_str();
    }
}

TEST_F(PanelLayout, ShownWithTheFocusOnStart) {
    panel.Show();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetFocus(), Control(1));
    // Shown, the panel says nothing: the greetings are the program's to post, before this.
    EXPECT_TRUE(client.Lookups().empty());
}

TEST_F(PanelLayout, PictureFillsTheClientAreaUnstretched) {
    RECT client;
    GetClientRect(window, &client);
    Canvas printed(client.right, client.bottom);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);

    // The picture as it is built into the program, to compare pixel for pixel.
    const auto picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                         MAKEINTRESOURCEW(QUILLOW_IDB_BACKGROUND),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(picture, nullptr);
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 315);
    EXPECT_EQ(info.bmHeight, 229);
    EXPECT_EQ(info.bmBitsPixel, 24);
    HDC source = CreateCompatibleDC(printed.dc());
    const HGDIOBJ previous = SelectObject(source, picture);

    // Away from the controls, and the far corner of the client area.
    const std::array<POINT, 6> points{{{5, 40},
                                       {150, 100},
                                       {60, 200},
                                       {300, 30},
                                       {200, 180},
                                       {client.right - 1, client.bottom - 1}}};
    int unlikeTheDefault = 0;
    for (const POINT& point : points) {
        SCOPED_TRACE(::testing::Message() << point.x << "," << point.y);
        const COLORREF pixel = printed.Pixel(point.x, point.y);
        EXPECT_EQ(pixel, GetPixel(source, point.x, point.y));
        if (pixel != GetSysColor(COLOR_WINDOW) && pixel != GetSysColor(COLOR_BTNFACE)) {
            ++unlikeTheDefault;
        }
    }
    EXPECT_EQ(unlikeTheDefault, static_cast<int>(points.size())) << "a plain background";

    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(picture);
}

// Only a click of one of the eight buttons runs a command. The commands all start by looking
// for the client, so a lookup in the (empty) client tells that one ran.
TEST_F(PanelLayout, OnlyButtonClicksRunCommands) {
    const HWND start = Control(1);
    const HWND stop = Control(2);
    // The bare window and the picture.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 100));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    // IDOK and IDCANCEL as the dialog manager or a menu would send them, with no button.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    // A notification that names another button than its id says.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(stop));
    // Other notifications of a button, and typing in the reason box.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(1, BN_SETFOCUS), reinterpret_cast<LPARAM>(start));
    SendMessageW(Control(kText1), WM_CHAR, 'x', 0);
    EXPECT_TRUE(client.Lookups().empty());
    EXPECT_EQ(ends, 0);

    // A true click does run its command (the check above can fail).
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), reinterpret_cast<LPARAM>(stop));
    EXPECT_FALSE(client.Lookups().empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(PanelLayout, ExitEndsTheProgram) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(6, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(6)));
    EXPECT_EQ(ends, 1);
}

}  // namespace
}  // namespace quillow
