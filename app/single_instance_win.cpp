#include "app/single_instance_win.h"

#include <windows.h>

#include "panel/panel_window_win.h"

namespace quillow {
namespace {

// "Local\" keeps it to the session: a Quillow of another user signed in at the same time is
// another program's business.
constexpr wchar_t kSessionMutex[] = L"Local\\Quillow.OnePanel";

}  // namespace

bool ClaimSession() {
    // Never closed by hand: the system closes the handle when the process ends, however it
    // ends, and the name goes with the last handle, so the next start is an ordinary one.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, kSessionMutex);
    const DWORD error = GetLastError();
    // Denied: it exists, made by a Quillow running elevated. Any other failure: better a
    // second panel than none.
    if (mutex == nullptr) return error != ERROR_ACCESS_DENIED;
    return error != ERROR_ALREADY_EXISTS;
}

void ShowRunningPanel() {
    const HWND panel = FindWindowW(PanelWindow::kClassName, nullptr);
    if (panel == nullptr) return;  // not made yet, or already gone: it is just starting or ending
    // Windows lets the program the user just started bring a window to the front; that right
    // is passed on, so a panel still greeting comes to the front when it shows itself.
    DWORD owner = 0;
    GetWindowThreadProcessId(panel, &owner);
    AllowSetForegroundWindow(owner);
    if (!IsWindowVisible(panel)) return;
    // Asynchronous, so a panel busy in a command cannot hold this process up.
    if (IsIconic(panel)) ShowWindowAsync(panel, SW_RESTORE);
    SetForegroundWindow(panel);
}

}  // namespace quillow
