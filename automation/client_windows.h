// What the panel relies on in the chat client's window tree: its window classes and the one
// window title it matches, exactly as the client registers them.
#pragma once

#include <string_view>

namespace quillow::client {

inline constexpr std::string_view kMainWindow = "AOL Frame25";
inline constexpr std::string_view kDocumentArea = "MDIClient";
inline constexpr std::string_view kDocument = "AOL Child";
inline constexpr std::string_view kTranscript = "RICHCNTLREADONLY";
inline constexpr std::string_view kRichInput = "RICHCNTL";
inline constexpr std::string_view kComboBox = "_AOL_Combobox";
inline constexpr std::string_view kIcon = "_AOL_Icon";
inline constexpr std::string_view kLabel = "_AOL_Static";
inline constexpr std::string_view kToolbarHost = "AOL Toolbar";
inline constexpr std::string_view kToolbar = "_AOL_Toolbar";
inline constexpr std::string_view kEdit = "_AOL_Edit";

inline constexpr std::string_view kInstantMessageTitle = "Send Instant Message";

// Positions among the icons of a parent, counted from 1.
inline constexpr int kNewInstantMessageIcon = 5;  // on the toolbar
inline constexpr int kSendIcon = 10;              // in the instant-message window

}  // namespace quillow::client
