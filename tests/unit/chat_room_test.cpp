#include "automation/chat_room.h"

#include <gtest/gtest.h>

#include "tests/support/fake_client.h"

namespace quillow {
namespace {

using testing::FakeClient;
using testing::FakeWindowTree;
using testing::ReceivedMessage;
using Line = FakeClient::Line;

// Each lacks one control of a room's four; it has an input box that must stay untouched.
const std::vector<std::vector<std::string>> kNotRooms = {
    {"RICHCNTL", "_AOL_Combobox", "_AOL_Icon", "_AOL_Static"},
    {"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Icon", "_AOL_Static"},
    {"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Combobox", "_AOL_Static"},
    {"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Combobox", "_AOL_Icon"},
};

TEST(ChatRoomTest, FirstDocumentWithTheWholeSignatureTakesTheLine) {
    for (const auto& children : kNotRooms) {
        FakeWindowTree tree;
        FakeClient client(tree);
        const WindowHandle notRoom = client.AddDocument(children);
        const FakeClient::Room room = client.AddRoom();
        const FakeClient::Room second = client.AddRoom();

        EXPECT_EQ(FindChatRoom(tree), room.window);
        ChatSend(tree, "one");
        ChatSend(tree, "two");
        EXPECT_EQ(client.lines, (std::vector<Line>{{0, "one"}, {0, "two"}}));
        EXPECT_TRUE(tree.ReceivedBy(second.input).empty());
        EXPECT_TRUE(tree.ReceivedBy(tree.FindWindowExA(notRoom, 0, "RICHCNTL")).empty());
    }
}

TEST(ChatRoomTest, WithoutRoomOrInputBoxTheLineIsLostQuietly) {
    FakeWindowTree tree;
    ChatSend(tree, "no client");
    FakeClient client(tree);
    client.OpenInstantMessage();
    ChatSend(tree, "no room");
    client.AddDocument({"RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "_AOL_Static"});
    ChatSend(tree, "no input box");
    EXPECT_TRUE(tree.Received().empty());
}

TEST(ChatRoomTest, TypesTheLineInTheAnsiCodePageThenEnter) {
    for (const auto& [text, bytes] : {std::pair{"-v› ‹v-", "-v\x9B \x8Bv-"}, std::pair{"", ""}}) {
        FakeWindowTree tree;
        FakeClient client(tree);
        const FakeClient::Room room = client.AddRoom();

        ChatSend(tree, text);
        EXPECT_EQ(tree.ReceivedBy(room.input),
                  (std::vector<ReceivedMessage>{{0, room.input, Message::SetText, 0, 0, bytes},
                                                {0, room.input, Message::Char, 13, 0, ""}}));
    }
}

TEST(ChatRoomTest, UnsentDraftIsPutBackOnlyOnceTheLineIsTaken) {
    FakeWindowTree tree;
    FakeClient client(tree);
    const FakeClient::Room room = client.AddRoom();
    tree.SetText(room.input, "half a thought – café");
    ChatSend(tree, "line");
    EXPECT_EQ(client.lines, (std::vector<Line>{{0, "line"}}));
    EXPECT_EQ(tree.Bytes(room.input), "half a thought \x96 caf\xE9");

    // A box that has not taken the line on Enter keeps it: a draft put back there would be sent
    // by the next Enter in the line's place.
    tree.Remove(room.window);
    const WindowHandle deaf =
        tree.FindWindowExA(client.AddDocument({"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Combobox",
                                               "_AOL_Icon", "_AOL_Static"}),
                           0, "RICHCNTL");
    tree.SetText(deaf, "draft");
    ChatSend(tree, "line");
    EXPECT_EQ(tree.Bytes(deaf), "line");
}

TEST(ChatRoomTest, HungInputBoxCostsOneTimeoutPerLine) {
    FakeWindowTree tree;
    FakeClient client(tree);
    const FakeClient::Room room = client.AddRoom();
    tree.Hang(room.input);

    ChatSend(tree, "one");
    EXPECT_EQ(tree.TimedOut(), 1);
    // Nothing carries over: the next line tries again, and again gives up after one.
    ChatSend(tree, "two");
    EXPECT_EQ(tree.TimedOut(), 2);
}

}  // namespace
}  // namespace quillow
