// The client's boxes and labels are the system's controls under the client's class names:
// "RICHCNTL" and "_AOL_Edit" (edit boxes), "_AOL_Combobox" (a drop-down list) and
// "_AOL_Static" (a label). Registered as ANSI classes, so text sent to them arrives as the
// sender's bytes.
#pragma once

#include <windows.h>

namespace standin {

void RegisterSystemSuperclasses(HINSTANCE instance);

// Marks a box whose text, when set from another thread, blocks the client for up to a minute
// (or until the event named by HangReleaseEventName() is set): a client that stops answering.
void MakeBoxHangOnOutsideText(HWND box);

// "Local\QuillowStandIn.Release.<process id>".
const char* HangReleaseEventName();

}  // namespace standin
