// An instant message written in the stand-in client and left unsent, as a person would leave
// one half done.
#pragma once

#include <windows.h>

#include <string>

#include "driver/record_file.h"

namespace quillow::demo {

// Opens a new instant-message window from the client's toolbar and types the recipient and
// the message into it. Throws std::runtime_error when the window does not open or does not
// take the text.
void WriteInstantMessage(HWND client, driver::RecordFile& record, const std::wstring& recipient,
                         const std::wstring& message);

}  // namespace quillow::demo
