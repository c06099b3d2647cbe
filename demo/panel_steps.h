// Pressing the panel's buttons, each time waiting until the client has what the button sends.
#pragma once

#include <windows.h>

#include <string>

#include "driver/record_file.h"

namespace quillow::demo {

// Types `reason` into the panel's reason box.
void TypeReason(HWND panel, const std::wstring& reason);

// Presses the button the step names (start, stop, imon, imoff, adv, con) and waits until the
// client has taken its lines and, for imon and imoff, its instant message. Throws
// std::runtime_error, saying what is missing, when that takes too long.
void RunPanelStep(HWND panel, driver::RecordFile& record, const std::wstring& step);

// Closes the panel and waits until it is gone and the client has its two farewell lines.
void ClosePanel(HWND panel, driver::RecordFile* record);

// Whether the step is one RunPanelStep knows.
bool IsPanelStep(const std::wstring& step);

}  // namespace quillow::demo
