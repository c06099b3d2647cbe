// What every implementation of the window operations (WindowOps) must do, run against the
// in-memory window tree on the host and the real windowing services on Windows: instantiate
// WindowOpsContract with a default-constructible type derived from ContractWindows.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ios>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    *out << "{0x" << std::hex << static_cast<unsigned>(seen.message) << std::dec << ", wParam "
         << seen.wParam << ", lParam " << seen.lParam << ", "
         << ::testing::PrintToString(seen.bytes) << "}";
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

    // Makes the window stop answering messages for the rest of the case; false when it could
    // not.
    virtual bool MakeUnresponsive(WindowHandle window) = 0;
    // How long Ops() waits for an answer before it gives a message up as timed out.
    virtual std::chrono::milliseconds ReplyTimeout() const = 0;

    // The messages of the kinds in `Message` that reached the window (0: any window made
    // here), in order of arrival.
    virtual std::vector<SeenMessage> ReceivedBy(WindowHandle window) = 0;
};

template <typename Windows>
class WindowOpsContract : public ::testing::Test {
protected:
    WindowOps& Ops() { return windows_.Ops(); }

    Windows made_;
    ContractWindows& windows_ = made_;
};

TYPED_TEST_SUITE_P(WindowOpsContract);

// Class names of the chat client's windows, and one for the top-level window that no other
// program uses.
inline constexpr std::string_view kFrame = "Quillow Contract Frame";
inline constexpr std::string_view kMdiClient = "MDIClient";
inline constexpr std::string_view kDocument = "AOL Child";
inline constexpr std::string_view kRichText = "RICHCNTL";
inline constexpr std::string_view kReadOnlyRichText = "RICHCNTLREADONLY";
inline constexpr std::string_view kIcon = "_AOL_Icon";

// Parent 0 stands for the top-level windows. Lookups count positions among like children: the
// order must hold from one walk to the next.
TYPED_TEST_P(WindowOpsContract, FindsDirectChildrenOfTheWholeClassNameInCreationOrder) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle mdi = this->windows_.Create(frame, kMdiClient);
    const WindowHandle room = this->windows_.Create(mdi, kDocument, "Lobby");
    const WindowHandle first = this->windows_.Create(room, kIcon);
    const WindowHandle transcript = this->windows_.Create(room, kReadOnlyRichText);
    const WindowHandle second = this->windows_.Create(room, kIcon);
    const WindowHandle input = this->windows_.Create(room, kRichText);
    const WindowHandle third = this->windows_.Create(room, kIcon);
    const WindowHandle secondTranscript = this->windows_.Create(room, kReadOnlyRichText);

    WindowOps& ops = this->Ops();
    EXPECT_EQ(ops.FindWindowA(kFrame), frame);
    EXPECT_EQ(ops.FindWindowExA(0, 0, kFrame), frame);
    EXPECT_EQ(ops.FindWindowA(kMdiClient), 0);
    EXPECT_EQ(ops.FindWindowExA(0, 0, kMdiClient), 0);
    EXPECT_EQ(ops.FindWindowExA(frame, 0, kMdiClient), mdi);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument), room);
    EXPECT_EQ(ops.FindWindowExA(frame, 0, kDocument), 0);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kIcon), 0);
    // "RICHCNTL" and "RICHCNTLREADONLY" do not match each other, whichever comes first.
    EXPECT_EQ(ops.FindWindowExA(room, 0, kRichText), input);
    EXPECT_EQ(ops.FindWindowExA(room, 0, kReadOnlyRichText), transcript);
    EXPECT_EQ(ops.FindWindowExA(room, transcript, kReadOnlyRichText), secondTranscript);
    EXPECT_EQ(ops.FindWindowExA(room, 0, "RICHCNTLREAD"), 0);
    for (int walk = 0; walk < 2; ++walk) {
        EXPECT_EQ(ops.FindWindowExA(room, 0, kIcon), first);
        EXPECT_EQ(ops.FindWindowExA(room, first, kIcon), second);
        EXPECT_EQ(ops.FindWindowExA(room, second, kIcon), third);
        EXPECT_EQ(ops.FindWindowExA(room, third, kIcon), 0);
    }
}

TYPED_TEST_P(WindowOpsContract, MatchesTheWholeTitleWhenOneIsGiven) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle mdi = this->windows_.Create(frame, kMdiClient);
    const WindowHandle room = this->windows_.Create(mdi, kDocument, "Lobby");
    const WindowHandle im = this->windows_.Create(mdi, kDocument, "Send Instant Message");
    const WindowHandle cafe = this->windows_.Create(mdi, kDocument, "Salle › café ‹");

    WindowOps& ops = this->Ops();
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument), room);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument, "Send Instant Message"), im);
    EXPECT_EQ(ops.FindWindowExA(mdi, room, kDocument, "Lobby"), 0);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument, "Send Instant"), 0);
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kDocument, "Salle › café ‹"), cafe);
    // The title narrows the class; it does not replace it.
    EXPECT_EQ(ops.FindWindowExA(mdi, 0, kRichText, "Send Instant Message"), 0);
}

// Handled means the window has the message already: nothing is left to wait for. A character
// without a byte in the code page becomes '?'.
TYPED_TEST_P(WindowOpsContract, DeliversInOrderWithTextsInTheAnsiCodePage) {
    const WindowHandle input = this->windows_.Create(this->windows_.Create(0, kFrame), kRichText);

    WindowOps& ops = this->Ops();
    EXPECT_EQ(ops.SendText(input, "<b>›</b> Café 5 € ‹ → 日本"), Delivery::Handled);
    EXPECT_EQ(ops.SendText(input, ""), Delivery::Handled);
    EXPECT_EQ(ops.SendMessageA(input, Message::Char, kCarriageReturn, 0), Delivery::Handled);
    EXPECT_EQ(ops.SendMessageA(input, Message::KeyUp, kVkSpace, 0x001C0001), Delivery::Handled);
    EXPECT_EQ(
        this->windows_.ReceivedBy(input),
        (std::vector<SeenMessage>{{Message::SetText, 0, 0, "<b>\x9B</b> Caf\xE9 5 \x80 \x8B ? ??"},
                                  {Message::SetText, 0, 0, ""},
                                  {Message::Char, kCarriageReturn, 0, ""},
                                  {Message::KeyUp, kVkSpace, 0x001C0001, ""}}));
}

TYPED_TEST_P(WindowOpsContract, ReadsTextBackFromTheAnsiCodePage) {
    const WindowHandle input = this->windows_.Create(this->windows_.Create(0, kFrame), kRichText);
    for (const std::string_view sent : {"‹ Café › 5 €", ""}) {
        std::string text = "left over";
        ASSERT_EQ(this->Ops().SendText(input, sent), Delivery::Handled);
        EXPECT_EQ(this->Ops().ReadText(input, text), Delivery::Handled);
        EXPECT_EQ(text, sent);
    }
}

// A message to no window is lost at once; one to a window that does not answer times out
// within a bound. Neither reaches a window, and a read of either leaves no text.
TYPED_TEST_P(WindowOpsContract, AMessageToNoWindowIsLostAndToAnUnresponsiveOneTimesOut) {
    const WindowHandle frame = this->windows_.Create(0, kFrame);
    const WindowHandle gone = this->windows_.Create(frame, kRichText);
    this->windows_.Destroy(gone);
    EXPECT_EQ(this->Ops().FindWindowExA(frame, 0, kRichText), 0);
    const WindowHandle hung = this->windows_.Create(frame, kRichText);
    ASSERT_TRUE(this->windows_.MakeUnresponsive(hung));
    const auto start = std::chrono::steady_clock::now();

    for (const auto& [window, delivery] :
         {std::pair{WindowHandle{0}, Delivery::Lost}, std::pair{gone, Delivery::Lost},
          std::pair{hung, Delivery::TimedOut}}) {
        SCOPED_TRACE(::testing::Message() << "window " << window);
        std::string text = "left over";
        EXPECT_EQ(this->Ops().SendMessageA(window, Message::Char, kCarriageReturn, 0), delivery);
        EXPECT_EQ(this->Ops().SendText(window, "hello"), delivery);
        EXPECT_EQ(this->Ops().ReadText(window, text), delivery);
        EXPECT_EQ(text, "");
    }
    // Generous: the point is that the operations give up, not how punctually.
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              3 * (4 * this->windows_.ReplyTimeout() + std::chrono::seconds(2)));
    EXPECT_EQ(this->windows_.ReceivedBy(0), std::vector<SeenMessage>{});
}

REGISTER_TYPED_TEST_SUITE_P(WindowOpsContract,
                            FindsDirectChildrenOfTheWholeClassNameInCreationOrder,
                            MatchesTheWholeTitleWhenOneIsGiven,
                            DeliversInOrderWithTextsInTheAnsiCodePage,
                            ReadsTextBackFromTheAnsiCodePage,
                            AMessageToNoWindowIsLostAndToAnUnresponsiveOneTimesOut);

}  // namespace quillow::contract
