// The end-to-end driver against a small window program of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "tests/windows/support/build_tree.h"
#include "tests/windows/support/controls.h"
#include "tests/windows/support/find_window.h"
#include "tests/windows/support/process.h"
#include "tests/windows/support/wait_until.h"

namespace quillow::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kNumberBox = 101;
constexpr int kDoneButton = 102;
constexpr int kNoteBox = 103;
// Far above what starting a program under Wine takes; only a broken run waits this long.
constexpr auto kStartBound = 20s;

class Driver : public ::testing::Test {
protected:
    // Starts the probe and waits for its window.
    HWND StartProbe(const std::vector<std::string>& arguments = {}) {
        probe_ = Process::Start(TestProgramDirectory() / "quillow_probe_window.exe", arguments);
        const HWND window =
            WaitForTopLevelWindow({L"Quillow Probe", std::nullopt, probe_->Id()}, kStartBound);
        EXPECT_NE(window, nullptr) << "the probe's window did not appear";
        return window;
    }

    std::optional<Process> probe_;
};

TEST_F(Driver, PassesEveryArgumentUnchanged) {
    const HWND window = StartProbe({"plain", "two words", "say \"hi\"", "C:\\dir\\", "", "a\\\\b"});

    EXPECT_EQ(Title(window), L"[plain][two words][say \"hi\"][C:\\dir\\][][a\\\\b]");
}

TEST_F(Driver, WorksABoxAndAButtonAndReadsTheExitCode) {
    const HWND window = StartProbe();
    const HWND number = FindControl(window, kNumberBox);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(FindChild(window, L"Button"), FindControl(window, kDoneButton));
    EXPECT_EQ(FindChild(window, L"Edit", 1), FindControl(window, kNoteBox));

    EXPECT_TRUE(SetText(number, L"42"));
    EXPECT_EQ(ReadText(number), L"42");
    EXPECT_TRUE(ClickButton(FindControl(window, kDoneButton)));

    ASSERT_TRUE(probe_->WaitForExit(kStartBound));
    EXPECT_EQ(probe_->ExitCode(), 42u);
}

TEST_F(Driver, ReadsTextOutsideTheAnsiCodePage) {
    const HWND note = FindControl(StartProbe(), kNoteBox);

    EXPECT_TRUE(SetText(note, L"\u203A caf\u00E9 \u4E2D"));
    EXPECT_EQ(ReadText(note), L"\u203A caf\u00E9 \u4E2D");
}

TEST_F(Driver, TabMovesTheFocusToTheNextControl) {
    const HWND window = StartProbe();
    const HWND number = FindControl(window, kNumberBox);
    const HWND done = FindControl(window, kDoneButton);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(window) == number; }, kStartBound));

    EXPECT_TRUE(PressTab(window));
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window) == done; }, 5s));
    EXPECT_TRUE(PressTab(window));
    EXPECT_TRUE(
        WaitUntil([&] { return FocusedControl(window) == FindControl(window, kNoteBox); }, 5s));
}

TEST_F(Driver, ClosingTheWindowEndsTheProgram) {
    EXPECT_TRUE(PostClose(StartProbe()));

    ASSERT_TRUE(probe_->WaitForExit(kStartBound));
    EXPECT_EQ(probe_->ExitCode(), 0u);
}

TEST_F(Driver, EndsAProgramThatIsStillRunning) {
    StartProbe();
    const HANDLE watch = OpenProcess(SYNCHRONIZE, FALSE, probe_->Id());
    ASSERT_NE(watch, nullptr);
    EXPECT_TRUE(probe_->Running());
    EXPECT_EQ(probe_->ExitCode(), std::nullopt);

    probe_.reset();

    EXPECT_EQ(WaitForSingleObject(watch, 0), WAIT_OBJECT_0);
    CloseHandle(watch);
}

}  // namespace
}  // namespace quillow::e2e
