#include "automation/chat_room.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_client.h"

namespace quillow {
namespace {

using testing::FakeClient;
using testing::FakeWindowTree;
using testing::ReceivedMessage;
using Line = FakeClient::Line;

std::vector<std::string> Without(std::string_view missing) {
    std::vector<std::string> children = FakeClient::kRoomChildren;
    std::erase(children, missing);
    return children;
}

// A document that lacks one of the four controls of the signature is passed over, and its
// input box left alone; of two rooms the first takes every line. Each line looks for the room
// afresh: once the first has closed, the second takes the next.
TEST(ChatRoomTest, FirstDocumentWithTheWholeSignatureTakesTheLine) {
    for (const char* missing : {"RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "_AOL_Static"}) {
        FakeWindowTree tree;
        FakeClient client(tree);
        const WindowHandle notRoom = client.AddDocument(Without(missing));
        const FakeClient::Room room = client.AddRoom();
        const FakeClient::Room second = client.AddRoom();

        EXPECT_EQ(FindChatRoom(tree), room.window) << missing;
        ChatSend(tree, "one");
        ChatSend(tree, "two");
        EXPECT_EQ(client.lines, (std::vector<Line>{{0, "one"}, {0, "two"}}));
        EXPECT_TRUE(tree.ReceivedBy(second.input).empty());
        EXPECT_TRUE(tree.ReceivedBy(tree.FindWindowExA(notRoom, 0, "RICHCNTL")).empty());
        tree.Remove(room.window);
        ChatSend(tree, "three");
        EXPECT_EQ(tree.ReceivedBy(second.input).size(), 2u) << "the line and Enter";
    }
}

TEST(ChatRoomTest, WithoutRoomOrInputBoxTheLineIsLostQuietly) {
    FakeWindowTree tree;
    ChatSend(tree, "no client");
    FakeClient client(tree);
    client.OpenInstantMessage();
    ChatSend(tree, "no room");
    const WindowHandle noInputBox = client.AddDocument(Without("RICHCNTL"));
    ChatSend(tree, "no input box");
    EXPECT_TRUE(tree.Received().empty());
    // Nothing is kept for later: a room that opens takes only the lines after it.
    tree.Remove(noInputBox);
    client.AddRoom();
    ChatSend(tree, "next");
    EXPECT_EQ(client.lines, (std::vector<Line>{{0, "next"}}));
}

// The line goes in the ANSI code page, then Enter, an empty one too; the user's unsent draft is
// put back once the box has taken the line.
TEST(ChatRoomTest, TypesTheLineThenEnterThenPutsTheUnsentDraftBack) {
    FakeWindowTree tree;
    FakeClient client(tree);
    const FakeClient::Room room = client.AddRoom();
    ChatSend(tree, "");
    tree.SetText(room.input, "half a thought – café");
    ChatSend(tree, "-v› ‹v-");
    const auto set = [&](const char* bytes) {
        return ReceivedMessage{0, room.input, Message::SetText, 0, 0, bytes};
    };
    const ReceivedMessage enter{0, room.input, Message::Char, 13, 0, ""};
    EXPECT_EQ(tree.ReceivedBy(room.input),
              (std::vector<ReceivedMessage>{set(""), enter, set("-v\x9B \x8Bv-"), enter,
                                            set("half a thought \x96 caf\xE9")}));
    EXPECT_EQ(client.lines, (std::vector<Line>{{0, ""}, {0, "-v\x9B \x8Bv-"}}));

    // A box that has not taken the line on Enter keeps it: a draft put back there would be sent
    // by the next Enter in the line's place.
    tree.Remove(room.window);
    const WindowHandle deaf =
        tree.FindWindowExA(client.AddDocument(FakeClient::kRoomChildren), 0, "RICHCNTL");
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
