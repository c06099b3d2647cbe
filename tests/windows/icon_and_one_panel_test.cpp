// The program's own icon: built into quillow.exe in every size it is drawn at, and worn by the
// panel at the sizes of its density. One panel at a time: a second start while Quillow runs
// only brings the running panel forward and ends, and once that one has ended, however it
// ended, the next start is an ordinary one.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/process.h"
#include "panel/panel_window_win.h"
#include "tests/support/room_lines.h"
#include "tests/windows/end_to_end.h"

namespace quillow {
namespace {

using namespace driver;
using namespace std::chrono_literals;

// --- The icon ---

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
        SCOPED_TRACE(testing::Message() << size << " px");
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

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

// The panel as the program makes it, but in this process: Wine answers WM_GETICON only from
// within the window's own process, and only there can the icons be measured. The rig's screen
// has 96 dpi, where Windows shows large icons at 32 px and small ones at 16; moved to a monitor
// at 150 %, the panel wears them at 48 and 24.
TEST(ProgramIcon, ThePanelWearsItAtTheSizesOfItsDensity) {
    Win32WindowOps noClient;
    PanelWindow panel(noClient, [] {});
    ASSERT_TRUE(panel.Create(GetModuleHandleW(nullptr)));
    ASSERT_EQ(panel.Dpi(), 96);
    const auto icon = [&](WPARAM which) {
        return reinterpret_cast<HICON>(SendMessageW(panel.hwnd(), WM_GETICON, which, 0));
    };
    EXPECT_EQ(IconWidth(icon(ICON_BIG)), 32);
    EXPECT_EQ(IconWidth(icon(ICON_SMALL)), 16);
    EXPECT_NE(GetClassLongPtrW(panel.hwnd(), GCLP_HICON), 0u);

    RECT frame;
    GetWindowRect(panel.hwnd(), &frame);
    constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
    SendMessageW(panel.hwnd(), kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&frame));
    EXPECT_EQ(IconWidth(icon(ICON_BIG)), 48);
    EXPECT_EQ(IconWidth(icon(ICON_SMALL)), 24);
}

// --- One panel at a time ---

class OnePanel : public EndToEnd {
protected:
    void SetUp() override { Start(); }

    // Starts quillow.exe again: true when it ends within a second with exit code 0.
    static bool StartsAndEndsAtOnce() {
        Process second = Process::Start(BuildTreeProgram("app/quillow.exe"));
        DWORD code = STILL_ACTIVE;
        return second.WaitForExit(1s) && GetExitCodeProcess(second.Handle(), &code) && code == 0;
    }
};

// Behind another window, and then minimized: each time a second start brings the panel to the
// front (restoring it), and says nothing to the room; the panel goes on as before.
TEST_F(OnePanel, ASecondStartBringsTheRunningPanelForwardAndPostsNothing) {
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
TEST_F(OnePanel, AfterTheFirstHasEndedTheNextStartIsAnOrdinaryOne) {
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
