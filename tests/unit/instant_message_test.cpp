#include "automation/instant_message.h"

#include <gtest/gtest.h>

#include "tests/support/fake_client.h"
#include "tests/support/scripted_loop.h"

namespace quillow {
namespace {

using testing::FakeClient;
using testing::FakeWindowTree;
using testing::ReceivedMessage;
using testing::ScriptedLoop;

class InstantMessageTest : public ::testing::Test {
protected:
    InstantMessageTest() {
        tree.SetClock([this] { return loop.Now(); });
    }

    FakeWindowTree tree;
    ScriptedLoop loop;
};

TEST_F(InstantMessageTest, OpensWaitsFillsAndSends) {
    FakeClient client(tree);
    client.AddRoom();

    SendInstantMessage(tree, loop, "$IM_on", "im back");

    ASSERT_EQ(client.pressed().size(), 2u);
    EXPECT_EQ(client.pressed()[0], client.toolbarIcons()[4]);
    ASSERT_EQ(client.sent().size(), 1u);
    EXPECT_EQ(client.sent()[0].recipient, "$IM_on");
    EXPECT_EQ(client.sent()[0].message, "im back");
    EXPECT_DOUBLE_EQ(loop.Now(), 1.0);

    // The press comes at once; the window is typed into after the one-second wait.
    const std::vector<ReceivedMessage>& received = tree.Received();
    ASSERT_EQ(received.size(), 6u);
    EXPECT_EQ(received[0].message, Message::LButtonDown);
    EXPECT_EQ(received[0].time, 0);
    EXPECT_EQ(received[1].message, Message::KeyUp);
    EXPECT_EQ(received[1].wParam, kVkSpace);
    EXPECT_EQ(received[2].bytes, "$IM_on");
    EXPECT_EQ(received[2].time, 1.0);
    EXPECT_EQ(received[3].bytes, "im back");
    EXPECT_EQ(received[4].message, Message::LButtonDown);
    EXPECT_EQ(received[4].window, client.pressed()[1]);
    EXPECT_EQ(received[5].message, Message::KeyUp);
}

TEST_F(InstantMessageTest, TooFewToolbarIconsPressNothing) {
    for (int icons = 0; icons <= 4; ++icons) {
        FakeWindowTree fresh;
        FakeClient client(fresh, icons);
        SendInstantMessage(fresh, loop, "$IM_off", "bye");
        EXPECT_TRUE(fresh.Received().empty()) << icons << " icons";
        EXPECT_TRUE(client.sent().empty()) << icons << " icons";
    }
}

TEST_F(InstantMessageTest, FifthOfExactlyFiveToolbarIconsIsPressed) {
    FakeClient client(tree, 5);
    SendInstantMessage(tree, loop, "$IM_off", "bye");
    ASSERT_EQ(client.sent().size(), 1u);
    EXPECT_EQ(client.pressed()[0], client.toolbarIcons()[4]);
}

TEST_F(InstantMessageTest, WindowWithTooFewIconsIsFilledButNotSent) {
    FakeClient client(tree);
    client.SetOpensInstantMessages(false);
    FakeClient::InstantMessageWindow opened{};
    loop.At(0.5, [&] { opened = client.AddInstantMessageWindow(9); });

    SendInstantMessage(tree, loop, "$IM_on", "im back");
    EXPECT_EQ(tree.TextUtf8(opened.recipient), "$IM_on");
    EXPECT_EQ(client.pressed(), std::vector<WindowHandle>{client.toolbarIcons()[4]});
    EXPECT_TRUE(client.sent().empty());
}

TEST_F(InstantMessageTest, WindowTheUserHadOpenIsLeftAlone) {
    FakeClient client(tree);
    const FakeClient::InstantMessageWindow mine = client.AddInstantMessageWindow();
    tree.SetTextUtf8(mine.recipient, "a friend");
    tree.SetTextUtf8(mine.message, "unsent words");

    SendInstantMessage(tree, loop, "$IM_on", "im back");
    EXPECT_TRUE(tree.ReceivedBy(mine.recipient).empty());
    EXPECT_TRUE(tree.ReceivedBy(mine.message).empty());
    EXPECT_EQ(tree.TextUtf8(mine.message), "unsent words");
    ASSERT_EQ(client.sent().size(), 1u);
    EXPECT_EQ(client.sent()[0].recipient, "$IM_on");
}

TEST_F(InstantMessageTest, NothingIsTypedWhenNoNewWindowAppears) {
    FakeClient client(tree);
    const FakeClient::InstantMessageWindow mine = client.AddInstantMessageWindow();
    client.SetOpensInstantMessages(false);

    SendInstantMessage(tree, loop, "$IM_on", "im back");
    EXPECT_TRUE(tree.ReceivedBy(mine.window).empty());
    EXPECT_TRUE(tree.ReceivedBy(mine.recipient).empty());
    EXPECT_TRUE(client.sent().empty());
}

TEST_F(InstantMessageTest, WithoutClientOnlyTheWaitIsSpent) {
    bool handled = false;
    loop.At(0.4, [&] { handled = true; });
    SendInstantMessage(tree, loop, "$IM_on", "im back");
    EXPECT_TRUE(tree.Received().empty());
    EXPECT_TRUE(handled);  // the panel kept handling its events
    EXPECT_DOUBLE_EQ(loop.Now(), 1.0);
}

TEST_F(InstantMessageTest, HungToolbarStopsTheRestOfTheMessage) {
    FakeClient client(tree);
    client.SetOpensInstantMessages(false);
    tree.Hang(client.toolbarIcons()[4]);
    // A window that turns up anyway is not typed into: the client is not answering.
    loop.At(0.5, [&] { client.AddInstantMessageWindow(); });

    SendInstantMessage(tree, loop, "$IM_on", "im back");
    EXPECT_EQ(tree.TimedOut(), 1);
    EXPECT_TRUE(tree.Received().empty());
}

}  // namespace
}  // namespace quillow
