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
    // Looked at often, so that the moment it is shown is known to a few milliseconds.
    const HWND window = WaitForTopLevelWindow(L"QuillowPanel", process.Id(), timeout,
                                              Visibility::Shown, std::chrono::milliseconds(1));
    const double shownAt = CounterSeconds();
    if (window == nullptr) {
        throw std::runtime_error(process.Running()
                                     ? "the panel was not shown in time"
                                     : "the panel's program ended before it was shown");
    }
    return RunningPanel(std::move(process), window, startedAt, shownAt);
}

ClickEffect EffectOf(int number) {
    switch (number) {
        case layout::kStartId:
        case layout::kConId: return {2, false};
        case layout::kImOnId:
        case layout::kImOffId: return {1, true};
        case layout::kStopId:
        case layout::kExitId:
        case layout::kAdvId: return {1, false};
        default: return {};  // "Clr Cht" posts nothing
    }
}

bool PanelControls::MouseClick(int number) const {
    const HWND button = Control(number);
    const LPARAM inside = MAKELPARAM(4, 4);
    return button != nullptr && PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside) &&
           PostMessageW(button, WM_LBUTTONUP, 0, inside);
}

bool PanelControls::BmClick(int number) const {
    const HWND button = Control(number);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool PanelControls::Click(int number) const {
    const HWND button = Control(number);
    return button != nullptr && PostMessageW(Window(), WM_COMMAND, MAKEWPARAM(number, BN_CLICKED),
                                             reinterpret_cast<LPARAM>(button)) != 0;
}

bool PanelControls::SetReason(std::wstring_view reason) const {
    return SetText(Control(layout::kText1Id), reason);
}

std::optional<std::wstring> PanelControls::Reason() const {
    return ReadText(Control(layout::kText1Id));
}

std::optional<std::chrono::microseconds> PanelControls::Ping(
    std::chrono::milliseconds timeout) const {
    const double start = CounterSeconds();
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(timeout.count()), &result) == 0) {
        return std::nullopt;
    }
    return std::chrono::microseconds(static_cast<long long>((CounterSeconds() - start) * 1e6));
}

}  // namespace quillow::driver
