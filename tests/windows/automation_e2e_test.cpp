// The automation procedures against the stand-in chat client running as a program of its own:
// what they send must arrive, byte for byte, in the right window.
#include <gtest/gtest.h>

#include <chrono>

#include "automation/chat_room.h"
#include "automation/instant_message.h"
#include "automation/window_ops_win.h"
#include "panel/status_lines.h"
#include "panel/event_loop_win.h"
#include "driver/controls.h"
#include "driver/standin_client.h"
#include "driver/clock.h"
#include "tests/windows/room_lines.h"

namespace quillow {
namespace {

using driver::InWindows1252;
using driver::MessagesTo;
using driver::RecordEntry;
using driver::StandinClient;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr unsigned kWmSetText = 0x000C;
constexpr unsigned kWmChar = 0x0102;
constexpr unsigned kWmLButtonDown = 0x0201;
constexpr unsigned kWmKeyUp = 0x0101;

// The record as it stands now.
const std::vector<RecordEntry>& RecordOf(StandinClient& client) {
    client.record().Update();
    return client.record().Entries();
}

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// The messages a window received, leaving out reads of its text.
std::vector<RecordEntry> ChangesTo(const std::vector<RecordEntry>& record, std::string_view role) {
    std::vector<RecordEntry> changes;
    for (const RecordEntry& entry : MessagesTo(record, role)) {
        if (entry.message == kWmSetText || entry.message == kWmChar ||
            entry.message == kWmLButtonDown || entry.message == kWmKeyUp) {
            changes.push_back(entry);
        }
    }
    return changes;
}

bool WasPressed(const std::vector<RecordEntry>& record, std::string_view icon) {
    const std::vector<RecordEntry> messages = ChangesTo(record, icon);
    return messages.size() == 2 && messages[0].message == kWmLButtonDown &&
           messages[1].message == kWmKeyUp && messages[1].wParam == 0x20;
}

bool AnyMessageTo(const std::vector<RecordEntry>& record, std::string_view rolePrefix) {
    for (const RecordEntry& entry : record) {
        if (entry.kind == RecordEntry::Kind::Message && entry.role.starts_with(rolePrefix)) {
            return true;
        }
    }
    return false;
}

class AutomationEndToEnd : public ::testing::Test {
protected:
    Win32WindowOps ops;
    Win32EventLoop loop;
};

TEST_F(AutomationEndToEnd, LinesArriveByteExactInTheFirstRoomPastDecoys) {
    StandinClient client = StandinClient::Start(TestName(), {"--decoys", "4", "--rooms", "2"});

    ChatSend(ops, lines::kGreeting);
    ChatSend(ops, lines::IdleCauseLine("tea & <b>cake</b> – café"));
    const std::vector<std::string> expected = {
        "<font color=#0000ff> -v\x9B <font color=#000000>Quillow By: Torvik.Zennoq03"
        "<font color=#0000ff> \x8Bv-",
        "<font color=#0000ff>-v\x9B <font color=#000000> i am idl'n cause tea & <b>cake</b> "
        "\x96 caf\xE9 <font color=#0000ff> \x8Bv-",
    };
    EXPECT_EQ(client.record().WaitForLines(2), expected);

    const std::vector<RecordEntry> record = RecordOf(client);
    EXPECT_TRUE(client.record().WaitForLines(0, "room2").empty());
    for (const char* decoy : {"decoy1", "decoy2", "decoy3", "decoy4"}) {
        EXPECT_TRUE(ChangesTo(record, std::string(decoy) + ".input").empty()) << decoy;
    }
    // The line is set, then entered, and nothing else changes the box.
    const std::vector<RecordEntry> input = ChangesTo(record, "room1.input");
    ASSERT_EQ(input.size(), 4u);
    EXPECT_EQ(input[0].message, kWmSetText);
    EXPECT_EQ(input[0].bytes, expected[0]);
    EXPECT_EQ(input[1].message, kWmChar);
    EXPECT_EQ(input[1].wParam, 13u);
}

TEST_F(AutomationEndToEnd, InputBoxIsFoundWhereverItStandsInTheRoom) {
    StandinClient client = StandinClient::Start(TestName(), {"--transcript-after-input"});
    ChatSend(ops, lines::kCameBack);
    EXPECT_EQ(client.record().WaitForLines(1),
              std::vector<std::string>{InWindows1252(lines::kCameBack)});
}

TEST_F(AutomationEndToEnd, UnsentDraftSurvivesAPostedLine) {
    StandinClient client = StandinClient::Start(TestName());
    const HWND room =
        driver::FindChild(driver::FindChild(client.MainWindow(), L"MDIClient"), L"AOL Child");
    const HWND input = driver::FindChild(room, L"RICHCNTL");
    ASSERT_TRUE(driver::SetText(input, L"half a sentence, café"));

    ChatSend(ops, lines::kCredit);
    EXPECT_EQ(client.record().WaitForLines(1),
              std::vector<std::string>{InWindows1252(lines::kCredit)});
    EXPECT_EQ(driver::ReadText(input), L"half a sentence, café");
}

TEST_F(AutomationEndToEnd, ClearingEmptiesTheFirstRoomsTranscript) {
    StandinClient client = StandinClient::Start(TestName(), {"--rooms", "2"});
    ChatSend(ops, lines::kCredit);
    client.record().WaitForLines(1);

    ops.SendText(ops.FindWindowExA(FindChatRoom(ops), 0, "RICHCNTLREADONLY"), "");
    const std::vector<RecordEntry> cleared = client.record().WaitForEvents("cleared", 1);
    ASSERT_EQ(cleared.size(), 1u);
    EXPECT_EQ(cleared[0].where, "room1");
}

TEST_F(AutomationEndToEnd, InstantMessageGoesThroughTheFifthAndTenthIcons) {
    StandinClient client = StandinClient::Start(TestName());

    SendInstantMessage(ops, loop, "$IM_on", "im back");
    const std::vector<RecordEntry> sent = client.record().WaitForEvents("im", 1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].where, "$IM_on");
    EXPECT_EQ(sent[0].bytes, "im back");

    const std::vector<RecordEntry> record = RecordOf(client);
    EXPECT_TRUE(WasPressed(record, "toolbar.icon5"));
    EXPECT_TRUE(WasPressed(record, "im1.icon10"));
    for (const char* other : {"toolbar.icon1", "toolbar.icon4", "toolbar.icon6"}) {
        EXPECT_FALSE(AnyMessageTo(record, other)) << other;
    }
    ASSERT_EQ(ChangesTo(record, "im1.recipient").size(), 1u);
    EXPECT_EQ(ChangesTo(record, "im1.recipient")[0].bytes, "$IM_on");
    EXPECT_EQ(ChangesTo(record, "im1.message")[0].bytes, "im back");
    const std::vector<RecordEntry> indicator = client.record().WaitForEvents("indicator", 1);
    ASSERT_EQ(indicator.size(), 1u);
    EXPECT_EQ(indicator[0].where, "on");
}

TEST_F(AutomationEndToEnd, TooFewToolbarIconsPressNothing) {
    for (const char* icons : {"3", "4"}) {
        StandinClient client = StandinClient::Start(TestName() + icons, {"--toolbar-icons", icons});
        SendInstantMessage(ops, loop, "$IM_off", "bye");
        const std::vector<RecordEntry> record = RecordOf(client);
        EXPECT_FALSE(AnyMessageTo(record, "toolbar.icon")) << icons << " icons";
        EXPECT_TRUE(driver::EventsOf(record, "imopen").empty()) << icons << " icons";
    }
}

TEST_F(AutomationEndToEnd, WindowWithTooFewIconsIsNotSent) {
    StandinClient client = StandinClient::Start(TestName(), {"--im-icons", "9"});
    SendInstantMessage(ops, loop, "$IM_off", "bye");
    const std::vector<RecordEntry> record = RecordOf(client);
    EXPECT_EQ(driver::EventsOf(record, "imopen").size(), 1u);
    EXPECT_FALSE(AnyMessageTo(record, "im1.icon"));
    EXPECT_TRUE(driver::EventsOf(record, "im").empty());
}

TEST_F(AutomationEndToEnd, InstantMessageWindowTheUserHadOpenIsLeftAlone) {
    StandinClient client = StandinClient::Start(TestName(), {"--im-open", "my unsent words"});

    SendInstantMessage(ops, loop, "$IM_on", "im back");
    const std::vector<RecordEntry> sent = client.record().WaitForEvents("im", 1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].where, "$IM_on");
    const std::vector<RecordEntry> record = RecordOf(client);
    EXPECT_TRUE(ChangesTo(record, "im1.recipient").empty());
    EXPECT_TRUE(ChangesTo(record, "im1.message").empty());
    EXPECT_TRUE(WasPressed(record, "im2.icon10"));
}

TEST_F(AutomationEndToEnd, WithoutTheClientEveryCallReturnsQuietly) {
    ASSERT_EQ(ops.FindWindowA("AOL Frame25"), 0) << "a client is still running";
    EXPECT_EQ(FindChatRoom(ops), 0);
    ChatSend(ops, lines::kGreeting);
    const double start = loop.Now();
    SendInstantMessage(ops, loop, "$IM_on", "im back");
    // Only the sender's wait for the window is spent.
    EXPECT_GE(loop.Now() - start, 1.0);
    EXPECT_LT(loop.Now() - start, 3.0);
}

TEST_F(AutomationEndToEnd, HungInputBoxHoldsTheCallerOnlyForOneTimeout) {
    StandinClient client = StandinClient::Start(TestName(), {"--hang-input"});
    Win32WindowOps impatient(1000);

    const auto start = std::chrono::steady_clock::now();
    ChatSend(impatient, lines::kCameBack);
    const auto spent = std::chrono::steady_clock::now() - start;
    // One timeout, not one for each of the line's messages.
    EXPECT_LT(spent, seconds(3)) << "the caller waited on every message";

    // Let the client go so it can be ended cleanly.
    const std::wstring release =
        L"Local\\QuillowStandIn.Release." + std::to_wstring(client.process().Id());
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, release.c_str())) {
        SetEvent(event);
        CloseHandle(event);
    }
}

}  // namespace
}  // namespace quillow
