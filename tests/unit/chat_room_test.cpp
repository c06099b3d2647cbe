#include "automation/chat_room.h"

#include <gtest/gtest.h>

#include "automation/client_windows.h"
#include "tests/support/fake_client.h"

namespace quillow {
namespace {

using testing::FakeClient;
using testing::FakeWindowTree;
using testing::ReceivedMessage;

constexpr std::string_view kLine =
    "<font color=#0000ff>-v› <font color=#000000> i came back <font color=#0000ff> ‹v-";

class ChatRoomTest : public ::testing::Test {
protected:
    FakeWindowTree tree;
};

TEST_F(ChatRoomTest, NoClientMeansNoRoomAndNoMessage) {
    EXPECT_EQ(FindChatRoom(tree), 0);
    ChatSend(tree, kLine);
    EXPECT_TRUE(tree.Received().empty());
}

TEST_F(ChatRoomTest, ClientWithoutDocumentsHasNoRoom) {
    FakeClient client(tree);
    client.AddInstantMessageWindow();
    EXPECT_EQ(FindChatRoom(tree), 0);
    ChatSend(tree, kLine);
    EXPECT_TRUE(tree.Received().empty());
}

// Documents that lack one class of a room's controls come first; the room after them wins.
class DecoyTest : public ChatRoomTest, public ::testing::WithParamInterface<std::string_view> {};

TEST_P(DecoyTest, DocumentLackingOneControlIsSkipped) {
    FakeClient client(tree);
    std::vector<std::string> classes = {
        std::string(client::kTranscript), std::string(client::kRichInput),
        std::string(client::kComboBox), std::string(client::kIcon), std::string(client::kLabel)};
    std::erase(classes, std::string(GetParam()));
    const WindowHandle decoy = client.AddDocument(classes);
    const FakeClient::Room room = client.AddRoom();

    EXPECT_EQ(FindChatRoom(tree), room.window);
    ChatSend(tree, kLine);
    EXPECT_TRUE(tree.ReceivedBy(tree.FindWindowExA(decoy, 0, client::kRichInput)).empty());
    ASSERT_EQ(client.lines().size(), 1u);
    EXPECT_EQ(client.lines()[0].room, room.window);
}

INSTANTIATE_TEST_SUITE_P(EachControl, DecoyTest,
                         ::testing::Values(client::kTranscript, client::kComboBox, client::kIcon,
                                           client::kLabel));

TEST_F(ChatRoomTest, ClassNamesMatchWhole) {
    FakeClient client(tree);
    // An editable box in place of the transcript does not make a room...
    client.AddDocument({"RICHCNTL", "_AOL_Combobox", "_AOL_Icon", "_AOL_Static"});
    // ...nor do names that merely begin or end like the real ones.
    client.AddDocument({"RICHCNTLREADONLY2", "_AOL_ComboboxEx", "X_AOL_Icon", "_AOL_Static"});
    EXPECT_EQ(FindChatRoom(tree), 0);

    // The input box is found as "RICHCNTL" even when the transcript comes first.
    const FakeClient::Room room = client.AddRoom();
    ChatSend(tree, kLine);
    EXPECT_TRUE(tree.ReceivedBy(room.transcript).empty());
    EXPECT_EQ(client.LineTexts(), std::vector<std::string>{std::string(kLine)});
}

TEST_F(ChatRoomTest, AllFourControlsAreLookedUpBeforeAnyIsTested) {
    FakeClient client(tree);
    const WindowHandle empty = client.AddDocument({});
    const FakeClient::Room room = client.AddRoom();

    EXPECT_EQ(FindChatRoom(tree), room.window);
    std::vector<testing::Lookup> underEmpty;
    for (const auto& lookup : tree.Lookups()) {
        if (lookup.parent == empty) underEmpty.push_back(lookup);
    }
    const std::vector<testing::Lookup> expected = {
        {empty, 0, "RICHCNTLREADONLY"},
        {empty, 0, "_AOL_Combobox"},
        {empty, 0, "_AOL_Icon"},
        {empty, 0, "_AOL_Static"},
    };
    EXPECT_EQ(underEmpty, expected);
}

TEST_F(ChatRoomTest, FirstOfTwoRoomsReceivesEveryLine) {
    FakeClient client(tree);
    const FakeClient::Room first = client.AddRoom();
    const FakeClient::Room second = client.AddRoom();

    ChatSend(tree, "one");
    ChatSend(tree, "two");
    for (const auto& line : client.lines()) EXPECT_EQ(line.room, first.window);
    EXPECT_EQ(client.lines().size(), 2u);
    EXPECT_TRUE(tree.ReceivedBy(second.input).empty());
}

TEST_F(ChatRoomTest, LineIsSetThenEnteredInAnsi) {
    FakeClient client(tree);
    const FakeClient::Room room = client.AddRoom();

    ChatSend(tree, kLine);
    const std::string bytes =
        "<font color=#0000ff>-v\x9B <font color=#000000> i came back <font color=#0000ff> \x8Bv-";
    const std::vector<ReceivedMessage> expected = {
        {0, room.input, Message::SetText, 0, 0, bytes},
        {0, room.input, Message::Char, 13, 0, ""},
    };
    EXPECT_EQ(tree.ReceivedBy(room.input), expected);
}

TEST_F(ChatRoomTest, EmptyLineIsStillSetAndEntered) {
    FakeClient client(tree);
    const FakeClient::Room room = client.AddRoom();

    ChatSend(tree, "");
    const auto received = tree.ReceivedBy(room.input);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, Message::SetText);
    EXPECT_EQ(received[0].bytes, "");
    EXPECT_EQ(received[1].message, Message::Char);
}

TEST_F(ChatRoomTest, RoomWithoutInputBoxLosesTheLineQuietly) {
    FakeClient client(tree);
    client.AddDocument({"RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "_AOL_Static"});
    ChatSend(tree, kLine);
    EXPECT_TRUE(tree.Received().empty());
}

TEST_F(ChatRoomTest, UnsentDraftIsPutBackOnceTheLineIsTaken) {
    FakeClient client(tree);
    const FakeClient::Room room = client.AddRoom();
    tree.SetTextUtf8(room.input, "half a thought – café");

    ChatSend(tree, kLine);
    EXPECT_EQ(client.LineTexts(), std::vector<std::string>{std::string(kLine)});
    EXPECT_EQ(tree.TextUtf8(room.input), "half a thought – café");
}

TEST_F(ChatRoomTest, DraftIsNotPutBackWhileTheBoxStillHoldsTheLine) {
    // A box that does not take lines on Enter: restoring the draft there would put it in
    // the line's place.
    FakeClient client(tree);
    const WindowHandle room = client.AddDocument(
        {"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Combobox", "_AOL_Icon", "_AOL_Static"});
    const WindowHandle input = tree.FindWindowExA(room, 0, client::kRichInput);
    tree.SetTextUtf8(input, "draft");

    ChatSend(tree, "line");
    EXPECT_EQ(tree.TextUtf8(input), "line");
    EXPECT_EQ(tree.ReceivedBy(input).size(), 2u);
}

TEST_F(ChatRoomTest, HungInputBoxCostsOneTimeoutPerLine) {
    FakeClient client(tree);
    const FakeClient::Room room = client.AddRoom();
    tree.Hang(room.input);

    ChatSend(tree, "one");
    EXPECT_EQ(tree.TimedOut(), 1);
    // Nothing carries over: the next line tries again, and again gives up after one.
    ChatSend(tree, "two");
    EXPECT_EQ(tree.TimedOut(), 2);
    EXPECT_TRUE(client.lines().empty());
}

}  // namespace
}  // namespace quillow
