#include "panel/commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/fake_client.h"
#include "tests/support/room_lines.h"
#include "tests/support/scripted_loop.h"

namespace quillow {
namespace {

using testing::FakeClient;
using testing::FakeWindowTree;
using testing::ScriptedLoop;
using Command = std::function<void(PanelCommands&)>;
using namespace room;

// The reason as typed while a command waits (see Rig), markup and spaces kept.
constexpr char kReasonTyped[] = "café & <b>tea</b> ";
const std::string kRe = ReLine("caf\xE9 & <b>tea</b> ");
const std::string kIdleCause = IdleCause("caf\xE9 & <b>tea</b> ");

// Ending the program unwinds every handler on the stack, as ending the process would.
struct ProgramEnded {};

// The panel beside a client with one room, on a virtual clock from 0. The user types the reason
// at 0.35 s, in the middle of any wait.
struct Rig final : PanelHost {
    Rig() {
        tree.SetClock([this] { return loop.Now(); });
        loop.At(0.35, [this] { reason = kReasonTyped; });
    }
    std::string ReadReason() override { return reason; }
    void EndProgram() override {
        ++ended;
        throw ProgramEnded{};
    }

    ScriptedLoop loop;
    FakeWindowTree tree;
    FakeClient client{tree};
    FakeClient::Room room = client.AddRoom();
    std::string reason = "Put your reason ";
    int ended = 0;
    PanelCommands commands{tree, loop, *this};
};

Command Press(int button) {
    return [button](PanelCommands& commands) { commands.Click(button); };
}

void Unload(PanelCommands& commands) {
    bool cancel = false;
    commands.Form_Unload(cancel);
}

Command Close() {
    return [](PanelCommands& commands) { commands.Close(); };
}

struct Script {
    const char* name;
    Command run;
    std::vector<std::pair<double, Command>> meanwhile;  // events during the script's waits
    std::vector<FakeClient::Line> lines;
    std::vector<FakeClient::Sent> sent = {};
    int ended = 0;
};

const Script kScripts[] = {
    {"Form_Load", [](PanelCommands& c) { c.Form_Load(); }, {}, {{0, kGreeting}, {0.7, kMotto}}},
    {"Form_Unload", Unload, {}, {{0, kFarewell}, {0.7, kUnloaded}}},
    {"Timer1_Timer", [](PanelCommands& c) { c.Timer1_Timer(); }, {}, {{0, kTick}, {0.7, kRe}}},
    {"Start", Press(1), {}, {{0, kWentIdle}, {0.7, kIdleCause}}},
    {"Stop", Press(2), {}, {{0, kCameBack}}},
    {"IM on", Press(3), {}, {{0, kImsOn}}, {{1, "$IM_on", "im back"}}},
    {"IM off", Press(4), {}, {{0, kImsOff}}, {{1, "$IM_off", "bye"}}},
    {"Clr Cht", Press(5), {}, {}},
    {"Exit", Press(6), {}, {{0, kExit}}, {}, 1},
    {"Adv", Press(7), {}, {{0, kCredit}}},
    {"Con", Press(8), {}, {{0, kContactTorvik}, {0.7, kContactZennoq}}},
    {"button 0", Press(0), {}, {}},
    {"button 9", Press(9), {}, {}},
    // A command started in another's wait runs to its end there; the outer one, having
    // outlasted its own wait, goes on at once.
    {"Con during Start",
     Press(1),
     {{0.3, Press(8)}},
     {{0, kWentIdle}, {0.3, kContactTorvik}, {1.0, kContactZennoq}, {1.0, kIdleCause}}},
    {"Exit during Start during Con",
     Press(8),
     {{0.2, Press(1)}, {0.4, Press(6)}},
     {{0, kContactTorvik}, {0.2, kWentIdle}, {0.4, kExit}},
     {},
     1},
    // No line of the interrupted command follows the farewell; a second close is ignored.
    {"closed twice during Start",
     Press(1),
     {{0.3, Close()}, {0.5, Close()}},
     {{0, kWentIdle}, {0.3, kFarewell}, {1.0, kUnloaded}},
     {},
     1},
};

TEST(PanelCommandsTest, EachScriptPostsItsLinesAtTheirTimes) {
    for (const Script& script : kScripts) {
        SCOPED_TRACE(script.name);
        Rig rig;
        for (const auto& [time, command] : script.meanwhile) {
            rig.loop.At(time, [&rig, &command] { command(rig.commands); });
        }
        try {
            script.run(rig.commands);
        } catch (const ProgramEnded&) {
        }
        EXPECT_EQ(rig.client.lines, script.lines);
        EXPECT_EQ(rig.client.sent, script.sent);
        EXPECT_EQ(rig.ended, script.ended);
    }
}

// Three "Con" nested in one another unwind by posting their second lines back to back, each
// line taking the client 50 ms. "Exit" or a close clicked during the first of them is served
// before the next line, ahead of a click queued before it; the farewell's wait starts no
// command either.
TEST(PanelCommandsTest, ExitOrCloseDuringABacklogsLinesComesBeforeTheNextLine) {
    const std::vector<std::pair<Command, std::vector<FakeClient::Line>>> endings = {
        {Press(6), {{1.0, kExit}}},
        {Close(), {{1.0, kFarewell}, {1.75, kUnloaded}}},
    };
    for (const auto& [ending, after] : endings) {
        Rig rig;
        rig.tree.OnMessage(rig.room.input, [&rig](const testing::ReceivedMessage& m) {
            if (m.message == Message::Char) rig.loop.Spend(0.05);
        });
        for (const double at : {0.1, 0.2}) {
            rig.loop.At(at, [&rig] { rig.commands.Click(8); });
        }
        rig.loop.At(0.97, [&rig] { rig.commands.Click(7); });
        rig.loop.AtEnding(0.97, [&rig, &ending] { ending(rig.commands); });
        EXPECT_THROW(rig.commands.Click(8), ProgramEnded);

        std::vector<FakeClient::Line> lines = {{0, kContactTorvik},
                                               {0.1, kContactTorvik},
                                               {0.2, kContactTorvik},
                                               {0.95, kContactZennoq}};
        lines.insert(lines.end(), after.begin(), after.end());
        ASSERT_EQ(rig.client.lines.size(), lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_NEAR(rig.client.lines[i].first, lines[i].first, 1e-9) << i;
            EXPECT_EQ(rig.client.lines[i].second, lines[i].second) << i;
        }
    }
}

TEST(PanelCommandsTest, ClearChatEmptiesTheFirstPaneOfTheFirstRoomOnly) {
    Rig rig;
    const WindowHandle secondPane = rig.tree.Add(rig.room.window, "RICHCNTLREADONLY");
    const FakeClient::Room other = rig.client.AddRoom();
    for (const WindowHandle pane : {rig.room.transcript, secondPane, other.transcript}) {
        rig.tree.SetText(pane, "history");
    }
    rig.tree.SetText(rig.room.input, "my draft");

    rig.commands.Click(5);
    EXPECT_EQ(rig.tree.Received(), (std::vector<testing::ReceivedMessage>{
                                       {0, rig.room.transcript, Message::SetText, 0, 0, ""}}));
    // Without a room no window is reached.
    rig.tree.Remove(rig.room.window);
    rig.tree.Remove(other.window);
    rig.commands.Click(5);
    EXPECT_EQ(rig.tree.Received().size(), 1u);
}

}  // namespace
}  // namespace quillow
