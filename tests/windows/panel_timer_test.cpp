// The panel's one-minute timer, as the chat room sees it: with nothing clicked, the idle line
// and the reason line come about a minute after the program started. Over a minute long, so
// kept out of the other end-to-end tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "driver/process.h"
#include "driver/controls.h"
#include "driver/record_file.h"
#include "driver/standin_client.h"
#include "tests/windows/room_lines.h"

namespace quillow::driver {
namespace {

using namespace std::chrono_literals;

// Seconds on the clock the stand-in client stamps its record with.
double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TEST(PanelTimer, FirstTickPostsTheIdleLineAndTheUntouchedReasonAfterAMinute) {
    StandinClient client = StandinClient::Start("FirstTick");
    const double started = Now();
    Process panel = Process::Start(BuildTreeProgram("app/quillow.exe"));
    ASSERT_NE(WaitForTopLevelWindow(L"QuillowPanel", panel.Id(), 15s), nullptr);

    const std::vector<RecordEntry> lines = client.record().WaitForEvents("line", 4, 90s);
    std::vector<std::string> texts;
    for (const RecordEntry& line : lines) texts.push_back(line.bytes);
    ASSERT_EQ(lines.size(), 4u) << "no tick within 90 s";
    EXPECT_EQ(texts[2], InWindows1252("<font color=#0000ff>-v› <font color=#000000> brumo.velt "
                                      "idl'n <font color=#0000ff> ‹v-"));
    // The reason box's first text, its final space included.
    EXPECT_EQ(texts[3], InWindows1252("<font color=#0000ff>-v› <font color=#000000>(re:  Put your "
                                      "reason )<font color=#0000ff> ‹v-"));
    for (const RecordEntry& line : lines) EXPECT_EQ(line.where, "room1");

    // About a minute after the program started.
    const double tick = lines[2].seconds - started;
    EXPECT_GE(tick, 55.0);
    EXPECT_LE(tick, 70.0);
    EXPECT_GE(lines[3].seconds - lines[2].seconds, 0.65);
    EXPECT_TRUE(panel.Running()) << "the tick ended the program";
}

}  // namespace
}  // namespace quillow::driver
