#include "automation/instant_message.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/support/fake_client.h"
#include "tests/support/scripted_loop.h"

namespace quillow {
namespace {

using testing::FakeClient;
using testing::FakeWindowTree;
using testing::ReceivedMessage;
using testing::ScriptedLoop;

struct InstantMessageTest : ::testing::Test {
    InstantMessageTest() {
        tree.SetClock([this] { return loop.Now(); });
    }

    ScriptedLoop loop;
    FakeWindowTree tree;
};

TEST_F(InstantMessageTest, PressesWaitsASecondThenFillsAndSendsTheNewWindow) {
    FakeClient client(tree);
    SendInstantMessage(tree, loop, "$IM_on", "im back");
    ASSERT_EQ(client.opened.size(), 1u);
    const FakeClient::InstantMessageWindow im = client.opened[0];
    const WindowHandle icon = client.toolbarIcons[4];
    EXPECT_EQ(tree.Received(), (std::vector<ReceivedMessage>{
                                   {0, icon, Message::LButtonDown, 0, 0, ""},
                                   {0, icon, Message::KeyUp, 0x20, 0, ""},
                                   {1, im.recipient, Message::SetText, 0, 0, "$IM_on"},
                                   {1, im.message, Message::SetText, 0, 0, "im back"},
                                   {1, im.send, Message::LButtonDown, 0, 0, ""},
                                   {1, im.send, Message::KeyUp, 0x20, 0, ""},
                               }));
}

// Too few icons to count to the intended one: no press at all rather than one on another icon.
// Two or more short, a walk that ran off the end would start again from the first icon.
TEST_F(InstantMessageTest, PressesTheFifthToolbarIconAndTheTenthWindowIconOrNone) {
    // toolbar icons, window icons: messages received, messages sent
    for (const auto& [toolbar, window, received, sent] :
         {std::tuple{4, 10, 0u, 0u}, std::tuple{3, 10, 0u, 0u}, std::tuple{5, 10, 6u, 1u},
          std::tuple{8, 9, 4u, 0u}, std::tuple{8, 8, 4u, 0u}}) {
        FakeWindowTree fresh;
        FakeClient client(fresh, toolbar, window);
        SendInstantMessage(fresh, loop, "$IM_off", "bye");
        EXPECT_EQ(fresh.Received().size(), received) << toolbar << "/" << window;
        EXPECT_EQ(client.sent.size(), sent) << toolbar << "/" << window;
    }
}

TEST_F(InstantMessageTest, AWindowOpenBeforehandIsNeverTouched) {
    FakeClient client(tree);
    const FakeClient::InstantMessageWindow mine = client.OpenInstantMessage();
    tree.SetText(mine.message, "unsent words");

    SendInstantMessage(tree, loop, "$IM_on", "im back");  // a new window opens and is used
    client.opensInstantMessages = false;
    SendInstantMessage(tree, loop, "$IM_off", "bye");  // none opens: nothing is typed
    for (const WindowHandle window : {mine.window, mine.recipient, mine.message, mine.send}) {
        EXPECT_TRUE(tree.ReceivedBy(window).empty());
    }
    EXPECT_EQ(client.sent, (std::vector<FakeClient::Sent>{{1, "$IM_on", "im back"}}));
}

TEST_F(InstantMessageTest, WithoutClientOnlyTheWaitIsSpentHandlingEvents) {
    bool handled = false;
    loop.At(0.4, [&] { handled = true; });
    SendInstantMessage(tree, loop, "$IM_on", "im back");
    EXPECT_TRUE(handled);
    EXPECT_EQ(loop.Now(), 1);
    EXPECT_TRUE(tree.Received().empty());
}

TEST_F(InstantMessageTest, HungToolbarStopsTheRestOfTheMessage) {
    FakeClient client(tree);
    client.opensInstantMessages = false;
    tree.Hang(client.toolbarIcons[4]);
    // A window that turns up anyway is not typed into: the client is not answering.
    loop.At(0.5, [&] { client.OpenInstantMessage(); });

    SendInstantMessage(tree, loop, "$IM_on", "im back");
    EXPECT_EQ(tree.TimedOut(), 1);
    EXPECT_TRUE(tree.Received().empty());
}

}  // namespace
}  // namespace quillow
