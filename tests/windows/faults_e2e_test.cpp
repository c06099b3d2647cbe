// Quillow beside a client that misbehaves, with reasons nobody would type on purpose, and under
// a storm of clicks: the panel never crashes or freezes, and what reaches the client is exactly
// what should, in order. Each test starts its own panel and client.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/line_order.h"
#include "driver/session.h"
#include "panel/event_loop_win.h"
#include "tests/support/room_lines.h"
#include "tests/windows/end_to_end.h"

namespace quillow {
namespace {

using namespace driver;
using namespace std::chrono_literals;

// A panel that answers at all answers a sent message within this, even while one of its
// commands is held up by a hung client (one timeout is 5 s).
constexpr auto kAnswerBound = 6s;

class Faults : public EndToEnd {
protected:
    // Quillow first, with no client running (its greetings go nowhere), then the client: its
    // record holds only what the test's own clicks make the panel send.
    void StartPanelThenClient(std::vector<std::string> clientOptions = {}) {
        Start({.client = std::move(clientOptions), .panelFirst = true});
    }

    // The panel's program still runs, its thread answers, and it shows no message box.
    void ExpectPanelAnswers() {
        ASSERT_TRUE(panel().process().Running()) << "the panel's program has ended";
        EXPECT_TRUE(panel().Ping(kAnswerBound)) << "the panel does not answer";
        EXPECT_EQ(FindTopLevelWindow(L"#32770", panel().process().Id()), nullptr)
            << "the panel shows a message box";
    }
};

// --- The client stops answering ---

// A command waiting on a client that has stopped answering gives up on that line after one
// timeout (5 s) and sends that client nothing more for it; meanwhile the panel goes on
// answering, and "Exit" still ends the program well before a timeout for every message would.
TEST_F(Faults, HungClientNeitherFreezesThePanelNorKeepsItFromExiting) {
    ASSERT_NO_FATAL_FAILURE(StartPanelThenClient({"--hang-input"}));
    struct Release {
        StandinClient& client;
        ~Release() { client.ReleaseHungInput(); }
    } releaseAtEnd{client()};

    Click(layout::kConId);
    // The line's text has reached the input box, whose thread is now stuck in it, and the
    // panel is waiting for its answer.
    ASSERT_TRUE(WaitUntil(
        [&] {
            client().record().Update();
            const std::vector<RecordEntry> input =
                MessagesTo(client().record().Entries(), "room1.input");
            return std::any_of(input.begin(), input.end(), [](const RecordEntry& entry) {
                return entry.message == WM_SETTEXT;
            });
        },
        kBound))
        << "the line never reached the client";
    ASSERT_NO_FATAL_FAILURE(ExpectPanelAnswers());

    Click(layout::kExitId);
    EXPECT_TRUE(panel().process().WaitForExit(kBound + kBound)) << "Exit did not end the program";
    EXPECT_TRUE(Texts(0).empty()) << "a line got through the hung box";
}

// --- Reasons ---

TEST_F(Faults, ReasonsArriveExactlyAsTheBoxHoldsThem) {
    ASSERT_NO_FATAL_FAILURE(StartPanelThenClient());
    // The longest reason the box takes, made of every printable ASCII character in turn.
    std::wstring longest;
    for (size_t i = 0; i < 32767; ++i) longest += static_cast<wchar_t>(L' ' + i % 95);
    // All ASCII: each arrives as the bytes of what the box reads back.
    const std::vector<std::pair<const char*, std::wstring>> reasons = {
        {"empty", L""},
        {"control characters", L"tab\there\r\nnext line\nend"},
        {"the longest the box takes", longest},
    };

    size_t count = 0;
    for (const auto& [name, typed] : reasons) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(panel().SetReason(typed));
        const std::optional<std::wstring> held = panel().Reason();
        ASSERT_TRUE(held);
        if (typed.size() > 1000) {
            EXPECT_GT(held->size(), 30000u) << "the box cut the longest reason short";
        }
        const std::string expected(held->begin(), held->end());

        Click(layout::kStartId);
        count += 2;
        const std::vector<std::string> lines = Texts(count);
        ASSERT_EQ(lines.size(), count);
        EXPECT_EQ(lines[count - 2], room::kWentIdle);
        EXPECT_TRUE(lines[count - 1] == room::IdleCause(expected))
            << "arrived " << lines[count - 1].size()
            << " bytes: " << lines[count - 1].substr(0, 200);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectPanelAnswers());
}

// --- Re-entry ---

// Clicks faster than the commands can finish nest each command inside the wait of the one
// before. Past the panel's bound the clicks wait their turn in the queue instead; either way
// every click is handled once, the first lines come in click order, and each two-line
// command's second line follows its first.
TEST_F(Faults, ClickStormLosesNothingAndKeepsEveryCommandsOrder) {
    ASSERT_NO_FATAL_FAILURE(StartPanelThenClient());

    // More waiting commands than the bound lets nest, spread among a hundred quick ones.
    const int waiting = Win32EventLoop::kMaxNesting + 8;
    const int quick = 100;
    std::vector<int> clicks;
    for (int w = 0, q = 0; w < waiting || q < quick;) {
        if (q < quick) clicks.push_back(q++ % 2 == 0 ? layout::kAdvId : layout::kStopId);
        if (q < quick) clicks.push_back(q++ % 2 == 0 ? layout::kAdvId : layout::kStopId);
        if (w < waiting) clicks.push_back(w++ % 2 == 0 ? layout::kConId : layout::kStartId);
    }
    // "Start" is pressed as accessibility tools press it, and held back past the bound as well.
    for (const int button : clicks) {
        ASSERT_TRUE(button == layout::kStartId ? panel().BmClick(button) : panel().Click(button));
    }

    std::vector<std::string> firstLines;
    for (const int button : clicks) {
        firstLines.push_back(button == layout::kAdvId    ? room::kCredit
                             : button == layout::kStopId ? room::kCameBack
                             : button == layout::kConId  ? room::kContactTorvik
                                                         : room::kWentIdle);
    }
    const size_t total = clicks.size() + waiting;
    // Generous: past the bound the waiting commands drain a nesting's worth at a time.
    ASSERT_EQ(Texts(total, "room1", kBound + std::chrono::seconds(waiting)).size(), total)
        << "lines were lost";
    std::this_thread::sleep_for(2s);  // past any command's wait
    const std::vector<std::string> settled = Texts(0);
    ASSERT_EQ(settled.size(), total) << "more lines than the clicks make";

    const LineOrder order = ReadLineOrder(settled, {{room::kContactTorvik, room::kContactZennoq},
                                                    {room::kWentIdle, room::kIdleCauseBefore}});
    EXPECT_EQ(order.firstLines, firstLines) << "first lines out of click order";
    EXPECT_TRUE(order.pairsMatch) << "a second line without its first";
    // The bound held: the outermost command and the ones nested in it, no more, were under way
    // at once.
    std::cout << order.deepestNesting << " waiting commands were under way at once\n";
    EXPECT_LE(order.deepestNesting, Win32EventLoop::kMaxNesting + 1);
    ASSERT_NO_FATAL_FAILURE(ExpectPanelAnswers());
}

// A backlog of several times the bound drains a nesting's worth of commands at a time. Drained
// one at a time, each click past the bound would have a wait of its own: over a minute here.
TEST_F(Faults, BacklogDrainsANestingAtATime) {
    ASSERT_NO_FATAL_FAILURE(StartPanelThenClient());
    const int clicks = 4 * Win32EventLoop::kMaxNesting;
    for (int i = 0; i < clicks; ++i) Click(layout::kConId);
    const auto oneAtATime = 700ms * (clicks - Win32EventLoop::kMaxNesting - 1);
    EXPECT_EQ(Texts(2 * clicks, "room1", oneAtATime / 2).size(), 2u * clicks)
        << "the backlog drains one command at a time";
}

// A client that takes 50 ms over each line, and a backlog of "Con" far past the bound, which
// drains by nesting up to the bound and unwinding, a line at a time with no wait in between.
// Clicked at any moment of that, "Exit" (the mouse on it, its notification, or BM_CLICK as
// accessibility tools press it) and closing (WM_CLOSE, or SC_CLOSE from the system menu) are
// served before the next line or two: the exit line comes within a few lines' time and ends
// the program, or the farewell begins as soon and its two lines end it.
enum class Ending { kExit, kExitByBmClick, kClosing };

class EndingABacklog : public Faults, public ::testing::WithParamInterface<Ending> {
protected:
    bool End(Ending ending, bool otherWay) {
        switch (ending) {
            case Ending::kExit:
                return otherWay ? panel().Click(layout::kExitId)
                                : panel().MouseClick(layout::kExitId);
            case Ending::kExitByBmClick: return panel().BmClick(layout::kExitId);
            case Ending::kClosing:
                return PostMessageW(panel().Window(), otherWay ? WM_SYSCOMMAND : WM_CLOSE,
                                    otherWay ? SC_CLOSE : 0, 0);
        }
        return false;
    }
};

TEST_P(EndingABacklog, ComesWithinAFewLinesOfTheClick) {
    const bool exit = GetParam() != Ending::kClosing;
    constexpr double kFewLines = 0.5;  // s: ten lines of this client
    // The lines seen before the click: nesting up, then unwinding, in the first round and the
    // next (where the clicks come from the held-back queue).
    for (const size_t seen : {10u, 45u, 80u, 115u}) {
        SCOPED_TRACE(seen);
        ASSERT_NO_FATAL_FAILURE(StartPanelThenClient({"--line-delay-ms", "50"}));
        for (int i = 0; i < 300; ++i) Click(layout::kConId);
        ASSERT_GE(Texts(seen, "room1", kBound + kBound).size(), seen) << "the backlog stalled";

        const double clicked = CounterSeconds();
        ASSERT_TRUE(End(GetParam(), seen % 2 == 1));
        EXPECT_TRUE(panel().process().WaitForExit(kBound)) << "the program is still running";

        client().record().Update();
        const std::vector<RecordEntry>& entries = client().record().Lines();
        const char* first = exit ? room::kExit : room::kFarewell;
        const auto answer = std::find_if(entries.begin(), entries.end(),
                                         [&](const RecordEntry& e) { return e.bytes == first; });
        ASSERT_NE(answer, entries.end()) << "no exit or farewell line";
        std::cout << (exit ? "exit" : "farewell") << " line " << answer->seconds - clicked
                  << " s after a click at line " << seen << "\n";
        EXPECT_LT(answer->seconds - clicked, kFewLines);
        const std::vector<std::string> last =
            exit ? std::vector<std::string>{room::kExit}
                 : std::vector<std::string>{room::kFarewell, room::kUnloaded};
        const std::vector<std::string> lines = Texts(0);
        ASSERT_GE(lines.size(), last.size());
        EXPECT_EQ(std::vector<std::string>(lines.end() - last.size(), lines.end()), last);
    }
}

void PrintTo(Ending ending, std::ostream* out) {
    constexpr const char* kNames[] = {"Exit", "ExitByBmClick", "Closing"};
    *out << kNames[static_cast<int>(ending)];
}

INSTANTIATE_TEST_SUITE_P(Faults, EndingABacklog,
                         ::testing::Values(Ending::kExit, Ending::kExitByBmClick, Ending::kClosing),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quillow
