#include "panel/commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "automation/client_windows.h"
#include "panel/layout.h"
#include "panel/status_lines.h"
#include "tests/support/fake_client.h"
#include "tests/support/scripted_loop.h"

namespace quillow {
namespace {

using testing::FakeClient;
using testing::FakeWindowTree;
using testing::ScriptedLoop;

// Ending the program unwinds every handler on the stack, as ending the process would.
struct ProgramEnded {};

class FakePanel final : public PanelHost {
public:
    std::string reason{layout::kControls[3].text};  // Text1's initial text
    int ended = 0;

    std::string ReadReason() override { return reason; }
    void EndProgram() override {
        ++ended;
        throw ProgramEnded{};
    }
};

struct Posted {
    double time;
    std::string line;
    bool operator==(const Posted&) const = default;
};

void PrintTo(const Posted& posted, std::ostream* out) {
    *out << posted.time << ": " << posted.line;
}

class PanelCommandsTest : public ::testing::Test {
protected:
    PanelCommandsTest() {
        tree.SetClock([this] { return loop.Now(); });
        room = client.AddRoom();
    }

    // Every line the room took, with when it took it.
    std::vector<Posted> Lines() const {
        std::vector<Posted> lines;
        for (const auto& message : tree.ReceivedBy(room.input)) {
            if (message.message == Message::Char) lines.push_back({message.time, ""});
        }
        for (size_t i = 0; i < lines.size(); ++i) lines[i].line = client.lines()[i].text;
        return lines;
    }

    // Runs an event, letting the program end as it would.
    void Run(const std::function<void()>& event) {
        try {
            event();
        } catch (const ProgramEnded&) {
        }
    }

    FakeWindowTree tree;
    ScriptedLoop loop;
    FakeClient client{tree};
    FakeClient::Room room{};
    FakePanel panel;
    PanelCommands commands{tree, loop, panel};
};

TEST_F(PanelCommandsTest, TwoLineScriptsWaitBetweenTheirLines) {
    const std::string reason = "lunch & <b>tea</b>  ";
    panel.reason = reason;
    const std::vector<std::pair<std::function<void()>, std::vector<std::string>>> scripts = {
        {[&] { commands.Form_Load(); }, {"Quillow By: Torvik.Zennoq03", "Taking idlers"}},
        {[&] {
             bool cancel = false;
             commands.Form_Unload(cancel);
         },
         {" Quillow. ", "Unloaded"}},
        {[&] { commands.Timer1_Timer(); }, {"brumo.velt idl'n", "(re:  " + reason + ")"}},
        {[&] { commands.Command1_Click(); }, {"i went idle", "i am idl'n cause " + reason + " "}},
        {[&] { commands.Command8_Click(); }, {"SN:Palvo Torvik", "SN:Zennoq03"}},
    };
    for (const auto& [script, texts] : scripts) {
        const double start = loop.Now();
        const size_t before = Lines().size();
        script();
        const std::vector<Posted> lines = Lines();
        ASSERT_EQ(lines.size(), before + 2);
        EXPECT_NE(lines[before].line.find(texts[0]), std::string::npos) << lines[before].line;
        EXPECT_NE(lines[before + 1].line.find(texts[1]), std::string::npos)
            << lines[before + 1].line;
        EXPECT_DOUBLE_EQ(lines[before].time, start);
        EXPECT_DOUBLE_EQ(lines[before + 1].time, start + 0.7);
    }
}

TEST_F(PanelCommandsTest, ReasonLinesAreExact) {
    commands.Timer1_Timer();  // before any typing: the initial text with its trailing space
    panel.reason = "";
    commands.Command1_Click();
    commands.Timer1_Timer();
    const std::vector<Posted> lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].line,
              "<font color=#0000ff>-v› <font color=#000000>(re:  Put your reason )"
              "<font color=#0000ff> ‹v-");
    EXPECT_EQ(lines[3].line,
              "<font color=#0000ff>-v› <font color=#000000> i am idl'n cause  "
              "<font color=#0000ff> ‹v-");
    EXPECT_EQ(lines[5].line,
              "<font color=#0000ff>-v› <font color=#000000>(re:  )<font color=#0000ff> ‹v-");
}

TEST_F(PanelCommandsTest, ReasonIsReadAfterTheWait) {
    panel.reason = "before";
    loop.At(0.5, [&] { panel.reason = "typed during the wait"; });
    commands.Command1_Click();
    EXPECT_EQ(Lines().back().line, lines::IdleCauseLine("typed during the wait"));
}

TEST_F(PanelCommandsTest, OneLineCommands) {
    commands.Command2_Click();
    commands.Command7_Click();
    const std::vector<Posted> expected = {{0, std::string(lines::kCameBack)},
                                          {0, std::string(lines::kCredit)}};
    EXPECT_EQ(Lines(), expected);
}

TEST_F(PanelCommandsTest, InstantMessagesSwitchReceptionEvenWithoutARoom) {
    commands.Command3_Click();
    tree.Remove(room.window);
    commands.Command4_Click();

    EXPECT_EQ(client.LineTexts(), std::vector<std::string>{std::string(lines::kImsOn)});
    ASSERT_EQ(client.sent().size(), 2u);
    EXPECT_EQ(client.sent()[0].recipient, "$IM_on");
    EXPECT_EQ(client.sent()[0].message, "im back");
    EXPECT_EQ(client.sent()[1].recipient, "$IM_off");
    EXPECT_EQ(client.sent()[1].message, "bye");
}

TEST_F(PanelCommandsTest, ClearChatEmptiesOnlyTheFirstPaneOfTheFirstRoom) {
    const WindowHandle secondPane = tree.Add(room.window, "RICHCNTLREADONLY");
    const FakeClient::Room other = client.AddRoom();
    for (const WindowHandle pane : {room.transcript, secondPane, other.transcript}) {
        tree.SetTextUtf8(pane, "history");
    }
    tree.SetTextUtf8(room.input, "my draft");

    commands.Command5_Click();
    EXPECT_EQ(tree.TextUtf8(room.transcript), "");
    EXPECT_EQ(tree.TextUtf8(secondPane), "history");
    EXPECT_EQ(tree.TextUtf8(other.transcript), "history");
    EXPECT_EQ(tree.TextUtf8(room.input), "my draft");
    EXPECT_TRUE(tree.ReceivedBy(room.input).empty());
    EXPECT_TRUE(client.lines().empty());
}

TEST_F(PanelCommandsTest, ClearChatWithoutRoomReachesNoWindow) {
    tree.Remove(room.window);
    commands.Command5_Click();
    EXPECT_TRUE(tree.Received().empty());
}

TEST_F(PanelCommandsTest, CommandNestedInAWaitPostsBetweenTheOuterLines) {
    loop.At(0.3, [&] { commands.Command8_Click(); });
    commands.Command1_Click();
    const std::vector<Posted> expected = {
        {0.0, std::string(lines::kWentIdle)},
        {0.3, std::string(lines::kContactTorvik)},
        {1.0, std::string(lines::kContactZennoq)},
        // The nested command outlasted the wait: the outer line follows at once.
        {1.0, lines::IdleCauseLine(panel.reason)},
    };
    EXPECT_EQ(Lines(), expected);
}

TEST_F(PanelCommandsTest, ExitDuringAWaitEndsEverything) {
    loop.At(0.2, [&] { commands.Command1_Click(); });  // nested in Con, itself waiting
    loop.At(0.4, [&] { commands.Command6_Click(); });
    Run([&] { commands.Command8_Click(); });
    loop.RunUntilIdle();

    EXPECT_EQ(panel.ended, 1);
    const std::vector<Posted> expected = {{0.0, std::string(lines::kContactTorvik)},
                                          {0.2, std::string(lines::kWentIdle)},
                                          {0.4, std::string(lines::kExit)}};
    EXPECT_EQ(Lines(), expected);
}

TEST_F(PanelCommandsTest, ClosingDuringAWaitSaysFarewellLastAndEnds) {
    loop.At(0.3, [&] { commands.Close(); });
    loop.At(0.5, [&] { commands.Close(); });  // a second close while saying farewell
    Run([&] { commands.Command1_Click(); });
    loop.RunUntilIdle();

    EXPECT_EQ(panel.ended, 1);
    const std::vector<Posted> expected = {{0.0, std::string(lines::kWentIdle)},
                                          {0.3, std::string(lines::kFarewell)},
                                          {1.0, std::string(lines::kUnloaded)}};
    EXPECT_EQ(Lines(), expected);
}

TEST_F(PanelCommandsTest, ClickDispatchesByButtonNumber) {
    for (int number : {0, 9, 2}) commands.Click(number);
    EXPECT_EQ(client.LineTexts(), std::vector<std::string>{std::string(lines::kCameBack)});
}

}  // namespace
}  // namespace quillow
