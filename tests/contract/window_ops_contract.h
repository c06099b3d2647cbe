// What every implementation of the window operations (WindowOps) must do, written once and run
// against each of them: the in-memory window tree on the host, and the real windowing services
// on Windows. An implementation is tested by instantiating the suite with a type that builds
// windows for it:
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, WindowOpsContract, MyWindows);
//
// where MyWindows is default-constructible and derives from ContractWindows.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "automation/instant_message.h"
#include "automation/window_ops.h"

namespace quillow::contract {

// One message as the receiving window saw it.
struct SeenMessage {
    Message message;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;  // 0 for WM_SETTEXT, whose text is in `bytes`
    std::string bytes;         // WM_SETTEXT: the text's bytes as received, without the NUL

    bool operator==(const SeenMessage&) const = default;
};

inline void PrintTo(const SeenMessage& seen, std::ostream* out) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto message = static_cast<unsigned>(seen.message);
    *out << "{0x";
    for (int shift = 12; shift >= 0; shift -= 4) *out << kDigits[(message >> shift) & 0xF];
    *out << ", wParam " << seen.wParam << ", lParam " << seen.lParam << ", bytes \"";
    for (const char c : seen.bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            *out << c;
        } else {
            *out << "\\x" << kDigits[byte >> 4] << kDigits[byte & 0xF];
        }
    }
    *out << "\"}";
}

// Makes the windows a case needs, behind the operations under test, and tells what reached
// them. A new one is made for every case.
class ContractWindows {
public:
    virtual ~ContractWindows() = default;

    // The operations under test.
    virtual WindowOps& Ops() = 0;

    // A new window of the class (with the title, when one is given) as the last child of
    // parent; parent 0 makes a top-level window. Texts are UTF-8.
    virtual WindowHandle Create(WindowHandle parent, std::string_view className,
                                std::optional<std::string_view> title = std::nullopt) = 0;
    virtual void Destroy(WindowHandle window) = 0;

    // Makes the window stop answering messages for the rest of the case. False when this
    // implementation has no way to do that.
    virtual bool MakeUnresponsive(WindowHandle window) = 0;
    // How long Ops() waits for an answer before it gives a message up as timed out.
    virtual std::chrono::milliseconds ReplyTimeout() const = 0;

    // The messages of the kinds in `Message` that reached the window, in order of arrival.
    virtual std::vector<SeenMessage> ReceivedBy(WindowHandle window) = 0;
    // The same, for every window made here.
    virtual std::vector<SeenMessage> ReceivedByAny() = 0;
};

template <typename Windows>
class WindowOpsContract : public ::testing::Test {
    static_assert(std::is_base_of_v<ContractWindows, Windows>);

protected:
    WindowOps& Ops() { return windows_.Ops(); }

    Windows made_;
    ContractWindows& windows_ = made_;
};

TYPED_TEST_SUITE_P(WindowOpsContract);

// Class names of the chat client's windows, and two that no other program uses, for the
// top-level cases.
inline constexpr std::string_view kFrame = "Quillow Contract Frame";
inline constexpr std::string_view kPane = "Quillow Contract Pane";
inline constexpr std::string_view kMdiClient = "MDIClient";
inline constexpr std::string_view kDocument = "AOL Child";
inline constexpr std::string_view kRichText = "RICHCNTL";
inline constexpr std::string_view kReadOnlyRichText = "RICHCNTLREADONLY";
inline constexpr std::string_view kIcon = "_AOL_Icon";
inline constexpr std::string_view kStatic = "_AOL_Static";
inline constexpr std::string_view kEdit = "_AOL_Edit";

inline SeenMessage Seen(Message message, std::uintptr_t wParam, std::intptr_t lParam) {
    return {message, wParam, lParam, {}};
}

inline SeenMessage SeenText(std::string bytes) {
    return {Message::SetText, 0, 0, std::move(bytes)};
}

TYPED_TEST_P(WindowOpsContract, FindsATopLevelWindowByClass) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);

    EXPECT_NE(frame, 0);
    EXPECT_EQ(this->Ops().FindWindowA(kFrame), frame);
    EXPECT_EQ(this->Ops().FindWindowExA(0, 0, kFrame), frame);
}

TYPED_TEST_P(WindowOpsContract, LookupsUnderParentZeroSeeOnlyTopLevelWindows) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle pane = this->windows_.Create(frame, kPane);

    EXPECT_EQ(this->Ops().FindWindowA(kPane), 0);
    EXPECT_EQ(this->Ops().FindWindowExA(0, 0, kPane), 0);
    EXPECT_EQ(this->Ops().FindWindowExA(frame, 0, kPane), pane);
}

TYPED_TEST_P(WindowOpsContract, FindsNothingWhenNoWindowHasTheClass) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    this->windows_.Create(frame, kStatic);

    EXPECT_EQ(this->Ops().FindWindowA("Quillow Contract Nobody"), 0);
    EXPECT_EQ(this->Ops().FindWindowExA(frame, 0, kRichText), 0);
}

TYPED_TEST_P(WindowOpsContract, FindsDirectChildrenOnly) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle mdi = this->windows_.Create(frame, kMdiClient);
    const WindowHandle room = this->windows_.Create(mdi, kDocument, "Lobby");
    const WindowHandle input = this->windows_.Create(room, kRichText);

    EXPECT_EQ(this->Ops().FindWindowExA(frame, 0, kDocument), 0);
    EXPECT_EQ(this->Ops().FindWindowExA(frame, 0, kRichText), 0);
    EXPECT_EQ(this->Ops().FindWindowExA(mdi, 0, kRichText), 0);
    EXPECT_EQ(this->Ops().FindWindowExA(frame, 0, kMdiClient), mdi);
    EXPECT_EQ(this->Ops().FindWindowExA(mdi, 0, kDocument), room);
    EXPECT_EQ(this->Ops().FindWindowExA(room, 0, kRichText), input);
}

TYPED_TEST_P(WindowOpsContract, WalksLikeChildrenInCreationOrder) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle bar = this->windows_.Create(frame, kPane);
    const WindowHandle first = this->windows_.Create(bar, kIcon);
    this->windows_.Create(bar, kStatic);
    const WindowHandle second = this->windows_.Create(bar, kIcon);
    this->windows_.Create(bar, kEdit);
    const WindowHandle third = this->windows_.Create(bar, kIcon);

    WindowOps& ops = this->Ops();
    EXPECT_EQ(ops.FindWindowExA(bar, 0, kIcon), first);
    EXPECT_EQ(ops.FindWindowExA(bar, first, kIcon), second);
    EXPECT_EQ(ops.FindWindowExA(bar, second, kIcon), third);
    EXPECT_EQ(ops.FindWindowExA(bar, third, kIcon), 0);
    // The order does not change from one lookup to the next.
    EXPECT_EQ(ops.FindWindowExA(bar, 0, kIcon), first);
    EXPECT_EQ(ops.FindWindowExA(bar, first, kIcon), second);
}

TYPED_TEST_P(WindowOpsContract, MatchesTheTitleOnlyWhenOneIsGiven) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle mdi = this->windows_.Create(frame, kMdiClient);
    const WindowHandle room = this->windows_.Create(mdi, kDocument, "Lobby");
    const WindowHandle im = this->windows_.Create(mdi, kDocument, "Send Instant Message");

    WindowOps& ops = this->Ops();
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument), room);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument, "Send Instant Message"), im);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument, "Lobby"), room);
    EXPECT_EQ(ops.FindWindowExA(mdi, room, kDocument, "Lobby"), 0);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument, "Send Instant"), 0);
    // The title narrows the class; it does not replace it.
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kRichText, "Send Instant Message"), 0);
}

TYPED_TEST_P(WindowOpsContract, MatchesATitleWrittenInTheAnsiCodePage) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle mdi = this->windows_.Create(frame, kMdiClient);
    this->windows_.Create(mdi, kDocument, "Lobby");
    const WindowHandle room = this->windows_.Create(mdi, kDocument, "Salle › café ‹");

    EXPECT_EQ(this->Ops().FindWindowExA(mdi, 0, kDocument, "Salle › café ‹"), room);
}

TYPED_TEST_P(WindowOpsContract, MatchesWholeClassNamesOnly) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle room = this->windows_.Create(frame, kDocument);
    const WindowHandle transcript = this->windows_.Create(room, kReadOnlyRichText);
    const WindowHandle input = this->windows_.Create(room, kRichText);
    const WindowHandle other = this->windows_.Create(frame, kDocument);
    const WindowHandle otherInput = this->windows_.Create(other, kRichText);
    const WindowHandle otherTranscript = this->windows_.Create(other, kReadOnlyRichText);

    WindowOps& ops = this->Ops();
    EXPECT_EQ(ops.FindWindowExA(room, 0, kRichText), input);
    EXPECT_EQ(ops.FindWindowExA(room, 0, kReadOnlyRichText), transcript);
    EXPECT_EQ(ops.FindWindowExA(other, 0, kReadOnlyRichText), otherTranscript);
    EXPECT_EQ(ops.FindWindowExA(other, 0, kRichText), otherInput);
    EXPECT_EQ(ops.FindWindowExA(room, 0, "RICHCNTLREAD"), 0);
    EXPECT_EQ(ops.FindWindowExA(room, 0, "RICH"), 0);
}

TYPED_TEST_P(WindowOpsContract, DeliversAMessageWithItsParameters) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle input = this->windows_.Create(frame, kRichText);
    const WindowHandle icon = this->windows_.Create(frame, kIcon);

    EXPECT_EQ(this->Ops().SendMessageA(input, Message::Char, kCarriageReturn, 0),
              Delivery::Handled);
    EXPECT_EQ(this->Ops().SendMessageA(icon, Message::KeyUp, kVkSpace, 0x001C0001),
              Delivery::Handled);

    // Handled means the window has it already: nothing is left to wait for.
    EXPECT_EQ(this->windows_.ReceivedBy(input),
              (std::vector{Seen(Message::Char, kCarriageReturn, 0)}));
    EXPECT_EQ(this->windows_.ReceivedBy(icon),
              (std::vector{Seen(Message::KeyUp, kVkSpace, 0x001C0001)}));
}

TYPED_TEST_P(WindowOpsContract, DeliversMessagesInTheOrderSent) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle input = this->windows_.Create(frame, kRichText);

    EXPECT_EQ(this->Ops().SendText(input, "hello"), Delivery::Handled);
    EXPECT_EQ(this->Ops().SendMessageA(input, Message::Char, kCarriageReturn, 0),
              Delivery::Handled);

    EXPECT_EQ(this->windows_.ReceivedBy(input),
              (std::vector{SeenText("hello"), Seen(Message::Char, kCarriageReturn, 0)}));
}

TYPED_TEST_P(WindowOpsContract, AMessageToHandleZeroIsLost) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    this->windows_.Create(frame, kRichText);
    std::string text = "left over";

    EXPECT_EQ(this->Ops().SendMessageA(0, Message::Char, kCarriageReturn, 0), Delivery::Lost);
    EXPECT_EQ(this->Ops().SendText(0, "hello"), Delivery::Lost);
    EXPECT_EQ(this->Ops().ReadText(0, text), Delivery::Lost);
    ClickIcon(this->Ops(), 0);

    EXPECT_EQ(text, "");
    EXPECT_EQ(this->windows_.ReceivedByAny(), std::vector<SeenMessage>{});
}

TYPED_TEST_P(WindowOpsContract, AMessageToADestroyedWindowIsLost) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle input = this->windows_.Create(frame, kRichText);
    this->windows_.Destroy(input);
    std::string text = "left over";

    EXPECT_EQ(this->Ops().FindWindowExA(frame, 0, kRichText), 0);
    EXPECT_EQ(this->Ops().SendMessageA(input, Message::Char, kCarriageReturn, 0), Delivery::Lost);
    EXPECT_EQ(this->Ops().SendText(input, "hello"), Delivery::Lost);
    EXPECT_EQ(this->Ops().ReadText(input, text), Delivery::Lost);

    EXPECT_EQ(text, "");
    EXPECT_EQ(this->windows_.ReceivedByAny(), std::vector<SeenMessage>{});
}

TYPED_TEST_P(WindowOpsContract, SendsTextInTheAnsiCodePage) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle input = this->windows_.Create(frame, kRichText);

    EXPECT_EQ(this->Ops().SendText(input, "›"), Delivery::Handled);
    EXPECT_EQ(this->Ops().SendText(input, "‹"), Delivery::Handled);
    EXPECT_EQ(this->Ops().SendText(input, "é"), Delivery::Handled);
    EXPECT_EQ(this->Ops().SendText(input, "<b>›</b> Café 5 € ‹"), Delivery::Handled);

    EXPECT_EQ(this->windows_.ReceivedBy(input),
              (std::vector{SeenText("\x9B"), SeenText("\x8B"), SeenText("\xE9"),
                           SeenText("<b>\x9B</b> Caf\xE9 5 \x80 \x8B")}));
}

TYPED_TEST_P(WindowOpsContract, SendsAnEmptyText) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle transcript = this->windows_.Create(frame, kReadOnlyRichText);

    EXPECT_EQ(this->Ops().SendText(transcript, ""), Delivery::Handled);

    EXPECT_EQ(this->windows_.ReceivedBy(transcript), std::vector{SeenText("")});
}

TYPED_TEST_P(WindowOpsContract, ReadsTextBackFromTheAnsiCodePage) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle input = this->windows_.Create(frame, kRichText);
    std::string text;

    ASSERT_EQ(this->Ops().SendText(input, "‹ Café › 5 €"), Delivery::Handled);
    EXPECT_EQ(this->Ops().ReadText(input, text), Delivery::Handled);
    EXPECT_EQ(text, "‹ Café › 5 €");

    ASSERT_EQ(this->Ops().SendText(input, ""), Delivery::Handled);
    EXPECT_EQ(this->Ops().ReadText(input, text), Delivery::Handled);
    EXPECT_EQ(text, "");
}

TYPED_TEST_P(WindowOpsContract, ClickIconSendsButtonDownThenSpaceUp) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle icon = this->windows_.Create(frame, kIcon);
    this->windows_.Create(frame, kIcon);

    ClickIcon(this->Ops(), icon);

    EXPECT_EQ(this->windows_.ReceivedByAny(),
              (std::vector{Seen(Message::LButtonDown, 0, 0), Seen(Message::KeyUp, kVkSpace, 0)}));
    EXPECT_EQ(this->windows_.ReceivedBy(icon).size(), 2u);
}

TYPED_TEST_P(WindowOpsContract, AnUnresponsiveWindowTimesOutWithinABound) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle input = this->windows_.Create(frame, kRichText);
    if (!this->windows_.MakeUnresponsive(input)) {
        GTEST_SKIP() << "these windows cannot be made unresponsive";
    }
    // Generous: the point is that the operations give up, not how punctually.
    const auto bound = 4 * this->windows_.ReplyTimeout() + std::chrono::seconds(2);
    const auto within = [&](auto call) {
        const auto start = std::chrono::steady_clock::now();
        const Delivery delivery = call();
        EXPECT_LT(std::chrono::steady_clock::now() - start, bound);
        return delivery;
    };
    std::string text = "left over";

    EXPECT_EQ(within([&] { return this->Ops().SendMessageA(input, Message::Char, 13, 0); }),
              Delivery::TimedOut);
    EXPECT_EQ(within([&] { return this->Ops().SendText(input, "hello"); }), Delivery::TimedOut);
    EXPECT_EQ(within([&] { return this->Ops().ReadText(input, text); }), Delivery::TimedOut);

    EXPECT_EQ(text, "");
    EXPECT_EQ(this->windows_.ReceivedBy(input), std::vector<SeenMessage>{});
}

REGISTER_TYPED_TEST_SUITE_P(WindowOpsContract, FindsATopLevelWindowByClass,
                            LookupsUnderParentZeroSeeOnlyTopLevelWindows,
                            FindsNothingWhenNoWindowHasTheClass, FindsDirectChildrenOnly,
                            WalksLikeChildrenInCreationOrder, MatchesTheTitleOnlyWhenOneIsGiven,
                            MatchesATitleWrittenInTheAnsiCodePage, MatchesWholeClassNamesOnly,
                            DeliversAMessageWithItsParameters, DeliversMessagesInTheOrderSent,
                            AMessageToHandleZeroIsLost, AMessageToADestroyedWindowIsLost,
                            SendsTextInTheAnsiCodePage, SendsAnEmptyText,
                            ReadsTextBackFromTheAnsiCodePage, ClickIconSendsButtonDownThenSpaceUp,
                            AnUnresponsiveWindowTimesOutWithinABound);

}  // namespace quillow::contract
