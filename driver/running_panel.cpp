#include "driver/running_panel.h"

#include <cstdlib>
#include <stdexcept>

#include "driver/clock.h"
#include "driver/controls.h"

namespace quillow::driver {

std::filesystem::path RunningPanel::Program() {
    const wchar_t* given = _wgetenv(L"QUILLOW_PROGRAM");
    if (given != nullptr && *given != L'\0') return given;
    return BuildTreeProgram("app/quillow.exe");
}

RunningPanel RunningPanel::Start(std::chrono::milliseconds timeout,
                                 const std::filesystem::path& program) {
    const double startedAt = CounterSeconds();
    Process process = Process::Start(program);
    HWND window = nullptr;
    double shownAt = 0;
    // Looked at often, so that the moment it is shown is known to a few milliseconds.
    const bool shown = WaitUntil(
        [&] {
            if (window == nullptr) window = FindTopLevelWindow(L"QuillowPanel", process.Id());
            if (window == nullptr || !IsWindowVisible(window)) return false;
            shownAt = CounterSeconds();
            return true;
        },
        timeout, std::chrono::milliseconds(1));
    if (!shown) {
        throw std::runtime_error(process.Running()
                                     ? "the panel was not shown in time"
                                     : "the panel's program ended before it was shown");
    }
    return RunningPanel(std::move(process), window, startedAt, shownAt);
}

bool RunningPanel::MouseClick(int number) const {
    const HWND button = Control(number);
    const LPARAM inside = MAKELPARAM(4, 4);
    return button != nullptr && PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside) &&
           PostMessageW(button, WM_LBUTTONUP, 0, inside);
}

bool RunningPanel::BmClick(int number) const {
    const HWND button = Control(number);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool RunningPanel::Click(int number) const {
    const HWND button = Control(number);
    return button != nullptr && ClickButton(button);
}

bool RunningPanel::SetReason(std::wstring_view reason) const {
    return SetText(Control(kReasonBox), reason);
}

std::optional<std::wstring> RunningPanel::Reason() const { return ReadText(Control(kReasonBox)); }

std::optional<std::chrono::microseconds> RunningPanel::Ping(
    std::chrono::milliseconds timeout) const {
    const double start = CounterSeconds();
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(timeout.count()), &result) == 0) {
        return std::nullopt;
    }
    return std::chrono::microseconds(static_cast<long long>((CounterSeconds() - start) * 1e6));
}

}  // namespace quillow::driver
