// Quillow as a user runs it, beside the stand-in chat client: what each command posts arrives
// in the room byte for byte and in order, instant messages go out, the transcript is cleared,
// and the program ends as it should. Each test starts its own client and panel.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "driver/process.h"
#include "driver/controls.h"
#include "driver/record_file.h"
#include "driver/running_panel.h"
#include "driver/standin_client.h"
#include "driver/clock.h"
#include "tests/windows/room_lines.h"

namespace quillow::driver {
namespace {

using namespace std::chrono_literals;

constexpr unsigned kWmSetText = 0x000C;
constexpr unsigned kWmChar = 0x0102;

// Far above what starting or ending a program under Wine takes; only a broken run waits so long.
constexpr auto kBound = 15s;
// Two lines a wait apart (0.7 s) arrive at least this far apart.
constexpr double kLineGap = 0.65;

// The lines as the room receives them, in Windows-1252.
const std::string kGreeting = InWindows1252(
    "<font color=#0000ff> -v› <font color=#000000>Quillow By: Torvik.Zennoq03"
    "<font color=#0000ff> ‹v-");
const std::string kMotto = InWindows1252(
    "<font color=#0000ff>-v› <font color=#000000>Taking idlers to the max"
    "<font color=#0000ff> ‹v-");
const std::string kFarewell = InWindows1252(
    "<font color=#0000ff> -v› <font color=#000000> Quillow. <font color=#0000ff> ‹v-");
const std::string kUnloaded =
    InWindows1252("<font color=#0000ff>-v› <font color=#000000>Unloaded<font color=#0000ff> ‹v-");
const std::string kWentIdle = InWindows1252(
    "<font color=#0000ff>-v› <font color=#000000> i went idle <font color=#0000ff> ‹v-");
const std::string kCameBack = InWindows1252(
    "<font color=#0000ff>-v› <font color=#000000> i came back <font color=#0000ff> ‹v-");
const std::string kImsOn =
    InWindows1252("<font color=#0000ff>-v› <font color=#000000> ims on <font color=#0000ff> ‹v-");
const std::string kImsOff =
    InWindows1252("<font color=#0000ff>-v› <font color=#000000> ims off <font color=#0000ff> ‹v-");
const std::string kExitLine = InWindows1252(
    "<font color=#0000ff> -v› <font color=#000000>Using Quillow By: Torvik.Zennoq03 un-loaded"
    "<font color=#0000ff> ‹v-");
const std::string kCredit = InWindows1252(
    "<font color=#0000ff> -v› <font color=#000000>Using Quillow By: Torvik.Zennoq"
    "<font color=#0000ff> ‹v-");
const std::string kContactTorvik = InWindows1252(
    "<font color=#0000ff> -v› <font color=#000000>You can reach Torvik at SN:Palvo Torvik"
    "<font color=#0000ff> ‹v-");
const std::string kContactZennoq = InWindows1252(
    "<font color=#0000ff> -v› <font color=#000000>You can reach zennoq at SN:Zennoq03"
    "<font color=#0000ff> ‹v-");

// The reason line of "Start", the reason given in Windows-1252.
std::string IdleCause(std::string_view reason) {
    return InWindows1252("<font color=#0000ff>-v› <font color=#000000> i am idl'n cause ") +
           std::string(reason) + InWindows1252(" <font color=#0000ff> ‹v-");
}

// The record as it stands now.
const std::vector<RecordEntry>& RecordOf(StandinClient& client) {
    client.record().Update();
    return client.record().Entries();
}

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

std::vector<std::string> Texts(const std::vector<RecordEntry>& lines) {
    std::vector<std::string> texts;
    for (const RecordEntry& line : lines) texts.push_back(line.bytes);
    return texts;
}

class PanelEndToEnd : public ::testing::Test {
protected:
    // Starts the client with the options, then Quillow, and waits until the panel is first
    // seen visible. With a room, also waits for the two greetings.
    void Start(const std::vector<std::string>& clientOptions = {}) {
        client_.emplace(StandinClient::Start(TestName(), clientOptions));
        panel_.emplace(RunningPanel::Start(kBound));
        window_ = panel_->Window();
    }

    void StartAndAwaitGreetings() {
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_EQ(RoomLines(2).size(), 2u) << "no greetings";
    }

    HWND Control(int id) const { return panel_->Control(id); }

    void Click(int id) const { ASSERT_TRUE(panel_->Click(id)) << "no button " << id; }

    void SetReason(std::wstring_view reason) const { ASSERT_TRUE(panel_->SetReason(reason)); }

    // Types over the whole of the reason box, as keys queued behind whatever the panel has
    // yet to handle.
    void TypeReason(std::wstring_view reason) {
        const HWND box = Control(kReasonBox);
        ASSERT_TRUE(PostMessageW(box, EM_SETSEL, 0, -1));
        for (const wchar_t c : reason) ASSERT_TRUE(PostMessageW(box, WM_CHAR, c, 1));
    }

    // The lines the first room took, with their times, once there are `count` (or those there
    // are when the time is up).
    std::vector<RecordEntry> RoomLines(size_t count = 0) {
        std::vector<RecordEntry> lines;
        WaitUntil(
            [&] {
                lines.clear();
                for (const RecordEntry& line : EventsOf(RecordOf(*client_), "line")) {
                    if (line.where == "room1") lines.push_back(line);
                }
                return lines.size() >= count;
            },
            count == 0 ? 0ms : std::chrono::milliseconds(kBound));
        return lines;
    }

    // Waits for the panel's program to end; its last lines have all arrived by then.
    void ExpectProgramEnds() {
        EXPECT_TRUE(panel_->process().WaitForExit(kBound)) << "the program did not end";
    }

    // Declared so that the panel is ended before the client.
    std::optional<StandinClient> client_;
    std::optional<RunningPanel> panel_;
    HWND window_ = nullptr;
};

TEST_F(PanelEndToEnd, GreetingsArriveApartBeforeThePanelIsShown) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::vector<RecordEntry> lines = RoomLines(2);
    ASSERT_EQ(Texts(lines), (std::vector<std::string>{kGreeting, kMotto}));
    EXPECT_GT(lines[0].seconds, panel_->StartedAt());
    EXPECT_GE(lines[1].seconds - lines[0].seconds, kLineGap);
    EXPECT_LT(lines[1].seconds, panel_->ShownAt())
        << "the panel was visible before its greetings ended";
}

TEST_F(PanelEndToEnd, StopAdvAndConPostTheirLines) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    Click(kStopButton);
    ASSERT_EQ(RoomLines(3).size(), 3u);
    Click(kAdvButton);
    ASSERT_EQ(RoomLines(4).size(), 4u);
    Click(kConButton);
    const std::vector<RecordEntry> lines = RoomLines(6);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{kGreeting, kMotto, kCameBack, kCredit,
                                                      kContactTorvik, kContactZennoq}));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_GE(lines[5].seconds - lines[4].seconds, kLineGap);
}

// The reason is taken as it stands in the box after the wait: markup, ampersands and spaces
// unchanged, and an empty box gives an empty reason. The typing is queued behind the click, so
// the panel takes it in during the wait.
TEST_F(PanelEndToEnd, StartPostsTheReasonTheBoxHoldsAfterItsWait) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    ASSERT_NO_FATAL_FAILURE(SetReason(L"tea & <b>cake</b>"));
    Click(kStartButton);
    ASSERT_NO_FATAL_FAILURE(TypeReason(L" back at 5 & <i>café</i> – soon "));
    std::vector<RecordEntry> lines = RoomLines(4);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].bytes, kWentIdle);
    EXPECT_EQ(lines[3].bytes, IdleCause(" back at 5 & <i>caf\xE9</i> \x96 soon "));
    EXPECT_GE(lines[3].seconds - lines[2].seconds, kLineGap);

    ASSERT_NO_FATAL_FAILURE(SetReason(L""));
    Click(kStartButton);
    lines = RoomLines(6);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4].bytes, kWentIdle);
    EXPECT_EQ(lines[5].bytes, IdleCause(""));
    EXPECT_EQ(lines[5].bytes,
              InWindows1252("<font color=#0000ff>-v› <font color=#000000> i am idl'n cause  "
                            "<font color=#0000ff> ‹v-"));
}

TEST_F(PanelEndToEnd, ImOnAndImOffPostTheirLinesAndSendTheirInstantMessages) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    Click(kImOnButton);
    std::vector<RecordEntry> sent = client_->record().WaitForEvents("im", 1, kBound);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].where, "$IM_on");
    EXPECT_EQ(sent[0].bytes, "im back");
    std::vector<RecordEntry> lines = RoomLines(3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].bytes, kImsOn);
    EXPECT_LT(lines[2].seconds, sent[0].seconds) << "the line comes first";
    std::vector<RecordEntry> indicator = client_->record().WaitForEvents("indicator", 1);
    ASSERT_EQ(indicator.size(), 1u);
    EXPECT_EQ(indicator[0].where, "on");

    Click(kImOffButton);
    sent = client_->record().WaitForEvents("im", 2, kBound);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].where, "$IM_off");
    EXPECT_EQ(sent[1].bytes, "bye");
    lines = RoomLines(4);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].bytes, kImsOff);
    EXPECT_LT(lines[3].seconds, sent[1].seconds);
    indicator = client_->record().WaitForEvents("indicator", 2);
    ASSERT_EQ(indicator.size(), 2u);
    EXPECT_EQ(indicator[1].where, "off");
}

TEST_F(PanelEndToEnd, ImOnWithoutAChatRoomStillSendsTheInstantMessage) {
    ASSERT_NO_FATAL_FAILURE(Start({"--rooms", "0"}));
    Click(kImOnButton);
    const std::vector<RecordEntry> sent = client_->record().WaitForEvents("im", 1, kBound);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].where, "$IM_on");
    EXPECT_EQ(sent[0].bytes, "im back");
    EXPECT_TRUE(EventsOf(RecordOf(*client_), "line").empty());
}

TEST_F(PanelEndToEnd, ClearChatEmptiesTheTranscriptAndLeavesTheInputBoxAlone) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    const HWND room = FindChild(FindChild(client_->MainWindow(), L"MDIClient"), L"AOL Child");
    const HWND transcript = FindChild(room, L"RICHCNTLREADONLY");
    const HWND input = FindChild(room, L"RICHCNTL");
    ASSERT_NE(transcript, nullptr);
    ASSERT_NE(input, nullptr);
    ASSERT_NE(ReadText(transcript).value_or(L""), L"") << "the greetings should be shown";
    ASSERT_TRUE(SetText(input, L"half a sentence"));

    const double clicked = CounterSeconds();
    Click(kClearChatButton);
    const std::vector<RecordEntry> cleared = client_->record().WaitForEvents("cleared", 1, kBound);
    ASSERT_EQ(cleared.size(), 1u);
    EXPECT_EQ(cleared[0].where, "room1");
    EXPECT_EQ(ReadText(transcript), L"");
    EXPECT_EQ(ReadText(input), L"half a sentence");
    for (const RecordEntry& message : MessagesTo(RecordOf(*client_), "room1.input")) {
        if (message.seconds < clicked) continue;
        EXPECT_NE(message.message, kWmSetText) << "the input box was written";
        EXPECT_NE(message.message, kWmChar) << "Enter was pressed";
    }

    // Nothing was posted: the next line in the room is the next command's.
    Click(kAdvButton);
    EXPECT_EQ(Texts(RoomLines(3)), (std::vector<std::string>{kGreeting, kMotto, kCredit}));
}

// Where a test clicks (or closes) twice at once, the second waits in the panel's queue until
// the first command's wait takes events in, and so runs inside that wait.

// The outer command's next line then follows the nested command's last without a wait of its
// own, since its wait is long over.
TEST_F(PanelEndToEnd, ConDuringTheWaitOfStartPostsBetweenStartsLines) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    ASSERT_NO_FATAL_FAILURE(SetReason(L"lunch"));
    Click(kStartButton);
    Click(kConButton);
    const std::vector<RecordEntry> lines = RoomLines(6);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{kGreeting, kMotto, kWentIdle, kContactTorvik,
                                                      kContactZennoq, IdleCause("lunch")}));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_GE(lines[4].seconds - lines[3].seconds, kLineGap);
    EXPECT_LT(lines[5].seconds - lines[4].seconds, 0.5) << "Start waited again";
}

TEST_F(PanelEndToEnd, ExitPostsOneLineAndEndsWithoutFarewell) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    Click(kExitButton);
    ExpectProgramEnds();
    EXPECT_EQ(Texts(RoomLines()), (std::vector<std::string>{kGreeting, kMotto, kExitLine}));
}

TEST_F(PanelEndToEnd, ExitDuringTheWaitOfStartEndsAtOnce) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    Click(kStartButton);
    Click(kExitButton);
    ExpectProgramEnds();
    EXPECT_EQ(Texts(RoomLines()),
              (std::vector<std::string>{kGreeting, kMotto, kWentIdle, kExitLine}));
}

TEST_F(PanelEndToEnd, ClosingPostsTheTwoFarewellsAndEnds) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    ASSERT_TRUE(PostClose(window_));
    ExpectProgramEnds();
    const std::vector<RecordEntry> lines = RoomLines();
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{kGreeting, kMotto, kFarewell, kUnloaded}));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_GE(lines[3].seconds - lines[2].seconds, kLineGap);
}

TEST_F(PanelEndToEnd, SecondCloseWhileSayingFarewellIsIgnored) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    ASSERT_TRUE(PostClose(window_));
    ASSERT_TRUE(PostClose(window_));
    ExpectProgramEnds();
    EXPECT_EQ(Texts(RoomLines()),
              (std::vector<std::string>{kGreeting, kMotto, kFarewell, kUnloaded}));
}

TEST_F(PanelEndToEnd, ClosingDuringTheWaitOfStartNeverPostsItsReason) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    Click(kStartButton);
    ASSERT_TRUE(PostClose(window_));
    ExpectProgramEnds();
    EXPECT_EQ(Texts(RoomLines()),
              (std::vector<std::string>{kGreeting, kMotto, kWentIdle, kFarewell, kUnloaded}));
}

TEST_F(PanelEndToEnd, TabWalksTheControlsInOrder) {
    ASSERT_NO_FATAL_FAILURE(StartAndAwaitGreetings());
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(window_) == Control(kStartButton); }, 5s))
        << "the focus is not on Start once the panel is shown";

    for (const int id : {kReasonBox, kStopButton, kImOnButton, kImOffButton, kClearChatButton,
                         kExitButton, kAdvButton, kConButton, kStartButton}) {
        const HWND from = FocusedControl(window_);
        ASSERT_TRUE(PressTab(window_));
        EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window_) == Control(id); }, 5s))
            << "Tab from control " << GetDlgCtrlID(from) << " went to control "
            << GetDlgCtrlID(FocusedControl(window_)) << ", not " << id;
    }
    // Moving the focus clicks nothing.
    Click(kAdvButton);
    EXPECT_EQ(Texts(RoomLines(3)), (std::vector<std::string>{kGreeting, kMotto, kCredit}));
}

}  // namespace
}  // namespace quillow::driver
