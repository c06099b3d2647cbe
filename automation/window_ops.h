// The platform seam: finding the client's windows and sending them messages. Everything that
// drives the client is built from these five operations.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillow {

// A window handle as the platform gives it, held in 32 bits; 0 means no window.
using WindowHandle = std::int32_t;

// The window messages sent to the client (values as the platform defines them). Named after
// the platform's own constants, without their macro names, so this header can sit beside
// <windows.h>.
enum class Message : std::uint32_t {
    SetText = 0x000C,      // WM_SETTEXT
    KeyUp = 0x0101,        // WM_KEYUP
    Char = 0x0102,         // WM_CHAR
    LButtonDown = 0x0201,  // WM_LBUTTONDOWN
};

inline constexpr std::uintptr_t kCarriageReturn = 13;
inline constexpr std::uintptr_t kVkSpace = 0x20;

// What became of one message.
enum class Delivery {
    Handled,   // the receiving window has handled it
    Lost,      // there was no such window (handle 0 or gone)
    TimedOut,  // the receiving window did not answer in time: its thread is busy or hung
};

// FindWindowA, FindWindowExA and SendMessageA as the client sees them, with the two text
// messages (WM_SETTEXT, WM_GETTEXT) apart because their lParam is a text. Texts are UTF-8 here
// and converted by the implementation, at hand-over.
class WindowOps {
public:
    virtual ~WindowOps() = default;

    // The first top-level window of the class (the title is never given).
    virtual WindowHandle FindWindowA(std::string_view className) = 0;

    // The first direct child of parent of the class (and title, when one is given), searching
    // in child order just after `after`; after = 0 starts at the first child, parent = 0
    // searches the top-level windows.
    virtual WindowHandle FindWindowExA(WindowHandle parent, WindowHandle after,
                                       std::string_view className,
                                       std::optional<std::string_view> title) = 0;

    // The same, matching any title.
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle after,
                               std::string_view className) {
        return FindWindowExA(parent, after, className, std::nullopt);
    }

    // A message without a text.
    virtual Delivery SendMessageA(WindowHandle window, Message message, std::uintptr_t wParam,
                                  std::intptr_t lParam) = 0;

    // WM_SETTEXT with the text converted to the ANSI code page.
    virtual Delivery SendText(WindowHandle window, std::string_view text) = 0;

    // WM_GETTEXT: the window's whole text, as UTF-8. `text` is left empty unless the message
    // was handled.
    virtual Delivery ReadText(WindowHandle window, std::string& text) = 0;
};

}  // namespace quillow
