// The program's own icon: built into quillow.exe in every size it is drawn at, and worn by the
// panel at the sizes of its density. One panel at a time: a second start while Quillow runs
// only brings the running panel forward and ends, and once that one has ended, however it
// ended, the next start is an ordinary one.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/process.h"
#include "driver/running_panel.h"
#include "driver/standin_client.h"
#include "panel/panel_window_win.h"
#include "tests/windows/room_lines.h"

namespace quillow {
namespace {

using namespace driver;
using namespace std::chrono_literals;

constexpr auto kBound = 15s;  // far above what anything here takes; only a broken run waits

// --- The icon ---

// An icon group resource as stored in the program: its header, then one 14-byte entry an
// image (width and height 0 stand for 256).
#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

class Resources {
public:
    explicit Resources(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Resources() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    HMODULE get() const { return module_; }
    // The bytes of one resource, empty when there is none.
    std::string Bytes(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(module_, name, type);
        HGLOBAL loaded = found != nullptr ? LoadResource(module_, found) : nullptr;
        if (loaded == nullptr) return {};
        return std::string(static_cast<const char*>(LockResource(loaded)),
                           SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

// Explorer shows a program's first icon group: named groups come first, then numbered ones in
// order. The program has one, numbered, with 16 to 48 px as 32-bit bitmaps with their mask
// (what XP reads) and 256 px as PNG.
TEST(ProgramIcon, TheProgramHoldsOneGroupOfEverySize) {
    const Resources exe(BuildTreeProgram("app/quillow.exe").wstring());
    ASSERT_NE(exe.get(), nullptr);
    std::vector<ULONG_PTR> groups;
    EnumResourceNamesW(exe.get(), RT_GROUP_ICON, AddName, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_EQ(groups.size(), 1u);
    ASSERT_TRUE(IS_INTRESOURCE(groups[0])) << "a named group would not be the first";

    const std::string group = exe.Bytes(RT_GROUP_ICON, reinterpret_cast<LPCWSTR>(groups[0]));
    ASSERT_GE(group.size(), 6u);
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, sizeof count);
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupEntry));
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        GroupEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        const int size = entry.width == 0 ? 256 : entry.width;
        SCOPED_TRACE(testing::Message() << size << " px");
        sizes.push_back(size);
        EXPECT_EQ(entry.height, entry.width);
        EXPECT_EQ(entry.bitCount, 32);
        const std::string image = exe.Bytes(RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_EQ(image.size(), entry.bytes);
        if (size == 256) {
            EXPECT_EQ(image.substr(0, 8), "\x89PNG\r\n\x1a\n");
            continue;
        }
        BITMAPINFOHEADER header;
        ASSERT_GE(image.size(), sizeof header);
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biWidth, size);
        EXPECT_EQ(header.biHeight, 2 * size) << "the colours and the mask";
        EXPECT_EQ(header.biBitCount, 32);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        const size_t maskStride = (size + 31) / 32 * 4;
        EXPECT_EQ(image.size(), sizeof header + size * size * 4 + size * maskStride);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 256}));
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {0, 0};
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {colour.bmWidth, colour.bmHeight};
}

// The panel as the program makes it, but in this process: Wine answers WM_GETICON only from
// within the window's own process, and only there can the icons be measured. The rig's screen
// has 96 dpi, where Windows shows large icons at 32 px and small ones at 16.
TEST(ProgramIcon, ThePanelWearsItAtTheSizesOfItsDensity) {
    Win32WindowOps noClient;
    PanelWindow panel(noClient, [] {});
    ASSERT_TRUE(panel.Create(GetModuleHandleW(nullptr)));
    ASSERT_EQ(panel.Dpi(), 96);
    const auto icon = [&](WPARAM which) {
        return reinterpret_cast<HICON>(SendMessageW(panel.hwnd(), WM_GETICON, which, 0));
    };
    const SIZE large = IconSize(icon(ICON_BIG));
    const SIZE small = IconSize(icon(ICON_SMALL));
    EXPECT_EQ(large.cx, 32);
    EXPECT_EQ(large.cy, 32);
    EXPECT_EQ(small.cx, 16);
    EXPECT_EQ(small.cy, 16);
    EXPECT_NE(GetClassLongPtrW(panel.hwnd(), GCLP_HICON), 0u);
    EXPECT_NE(GetClassLongPtrW(panel.hwnd(), GCLP_HICONSM), 0u);
}

// --- One panel at a time ---

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

class OnePanel : public ::testing::Test {
protected:
    void SetUp() override { client_.emplace(StandinClient::Start(TestName())); }

    void StartPanel() {
        panel_.emplace(RunningPanel::Start());
        ASSERT_EQ(Texts(2).size(), 2u) << "no greetings";
    }

    std::vector<std::string> Texts(size_t count) {
        return client_->record().WaitForLines(count, "room1", kBound);
    }

    // Starts quillow.exe again: true when it ends within a second with exit code 0.
    static bool StartsAndEndsAtOnce() {
        Process second = Process::Start(BuildTreeProgram("app/quillow.exe"));
        DWORD code = STILL_ACTIVE;
        return second.WaitForExit(1s) && GetExitCodeProcess(second.Handle(), &code) && code == 0;
    }

    std::optional<StandinClient> client_;
    std::optional<RunningPanel> panel_;
};

// Behind another window, and then minimized: each time a second start brings the panel to the
// front (restoring it), and says nothing to the room; the panel goes on as before.
TEST_F(OnePanel, ASecondStartBringsTheRunningPanelForwardAndPostsNothing) {
    ASSERT_NO_FATAL_FAILURE(StartPanel());
    const HWND window = panel_->Window();
    const HWND other = client_->MainWindow();
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
    ASSERT_TRUE(panel_->Click(kStopButton));
    EXPECT_EQ(Texts(3), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kCameBack}));
}

// The first panel, still hidden while it greets the room, is not shown early: it shows itself
// once its greetings are posted, as it does when started alone.
TEST_F(OnePanel, ASecondStartDuringTheGreetingsLeavesThePanelHidden) {
    Process first = Process::Start(BuildTreeProgram("app/quillow.exe"));
    const HWND window = WaitForTopLevelWindow(L"QuillowPanel", first.Id(), kBound);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Texts(1).size(), 1u);
    EXPECT_TRUE(StartsAndEndsAtOnce());
    const double secondEnded = CounterSeconds();
    double shownAt = 0;
    const auto shown = [&] {
        if (!IsWindowVisible(window)) return false;
        shownAt = CounterSeconds();
        return true;
    };
    ASSERT_TRUE(WaitUntil(shown, kBound, 1ms));
    ASSERT_EQ(Texts(2), (std::vector<std::string>{room::kGreeting, room::kMotto}));
    const double motto = client_->record().Lines()[1].seconds;
    if (secondEnded > motto) GTEST_SKIP() << "the second start ended after the greetings";
    EXPECT_GT(shownAt, motto) << "shown before its greetings were posted";
}

// The session's claim goes with the process however it ends: after "Exit", and after the
// program was killed, the next start greets the room.
TEST_F(OnePanel, AfterTheFirstHasEndedTheNextStartIsAnOrdinaryOne) {
    ASSERT_NO_FATAL_FAILURE(StartPanel());
    ASSERT_TRUE(panel_->Click(kExitButton));
    ASSERT_TRUE(panel_->process().WaitForExit(kBound));
    panel_.emplace(RunningPanel::Start());
    EXPECT_EQ(Texts(5), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kExit,
                                                  room::kGreeting, room::kMotto}));

    panel_->process().Terminate();
    panel_.emplace(RunningPanel::Start());
    EXPECT_EQ(Texts(7), (std::vector<std::string>{room::kGreeting, room::kMotto, room::kExit,
                                                  room::kGreeting, room::kMotto, room::kGreeting,
                                                  room::kMotto}));
}

}  // namespace
}  // namespace quillow
