// The panel's one-minute timer, as the chat room sees it: with nothing clicked, the idle line
// and the reason line come about a minute after the program started. Over a minute long, so
// kept out of the other end-to-end tests.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver/session.h"
#include "tests/support/room_lines.h"

namespace quillow {
namespace {

using namespace driver;

TEST(PanelTimer, FirstTickPostsTheIdleLineAndTheUntouchedReasonAfterAMinute) {
    Session session = Session::Start("FirstTick");
    const RunningPanel& panel = session.panel;

    // The reason box's first text, its final space included.
    EXPECT_EQ(session.client.record().WaitForLines(4, "room1", std::chrono::seconds(90)),
              (std::vector<std::string>{room::kGreeting, room::kMotto, room::kTick,
                                        room::ReLine("Put your reason ")}));
    const std::vector<RecordEntry> lines = session.client.record().Lines();
    ASSERT_EQ(lines.size(), 4u) << "no tick within 90 s";
    // About a minute after the program started.
    const double tick = lines[2].seconds - panel.StartedAt();
    EXPECT_GE(tick, 55.0);
    EXPECT_LE(tick, 70.0);
    EXPECT_GE(lines[3].seconds - lines[2].seconds, 0.65);
    EXPECT_TRUE(panel.process().Running()) << "the tick ended the program";
}

}  // namespace
}  // namespace quillow
