// tour.exe: works Quillow's panel and the stand-in client, both already running, the way a
// person would, for scripts/demo and scripts/screenshots. In this order, each when asked:
//
//   --move-panel X,Y        moves the panel's window to X,Y on the screen
//   --expect-dpi N          fails unless the panel is laid out for N dots per inch
//   --reason TEXT           types TEXT into the panel's reason box
//   --steps NAME[,NAME...]  presses "Start", "IM on" or "Con" (start, imon, con), each time
//                           waiting until the client has its lines and instant message
//   --open-im TO MESSAGE    opens an instant-message window in the client and types TO and
//                           MESSAGE into it, unsent
//   --print-geometry WHICH  prints the panel's or the client's window as WxH+X+Y
//   --close                 closes the panel (waiting for its farewell lines), then the
//                           client; either may already be gone
//   --record FILE           the stand-in client's record: needed by --steps and --open-im,
//                           used by --close
//
// Exits 1, saying why, at the first failure; 2 on a bad command line.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "automation/ansi_text.h"
#include "automation/instant_message.h"
#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/record_file.h"
#include "driver/running_panel.h"
#include "panel/layout.h"

namespace quillow::demo {
namespace {

using namespace std::chrono_literals;
using driver::Visibility;

// For anything the tour waits for: far more than a healthy run comes near.
constexpr auto kBound = 30s;
constexpr std::pair<std::wstring_view, int> kSteps[] = {
    {L"start", layout::kStartId}, {L"imon", layout::kImOnId}, {L"con", layout::kConId}};

struct Tour {
    std::optional<driver::RecordFile> record;
    std::optional<POINT> panelPlace;
    std::optional<int> dpi;
    std::optional<std::wstring> reason;
    std::vector<std::pair<std::wstring_view, int>> steps;        // name, button
    std::optional<std::pair<std::wstring, std::wstring>> draft;  // recipient, message
    std::wstring geometryOf;
    bool close = false;
};

void Say(const std::string& what) { std::fprintf(stderr, "tour: %s\n", what.c_str()); }

void Require(bool good, const std::string& what) {
    if (!good) throw std::runtime_error(what);
}

int Number(const std::wstring& text) {
    std::size_t used = 0;
    const int number = std::stoi(text, &used);  // throws std::invalid_argument
    if (used != text.size()) throw std::invalid_argument("not a number: " + WideToUtf8(text));
    return number;
}

// The options, read from the command line; a fault in it throws std::logic_error.
Tour Read(int argc, wchar_t** argv) {
    Tour tour;
    int i = 1;
    const auto value = [&]() -> std::wstring {
        if (i + 1 >= argc) throw std::invalid_argument(WideToUtf8(argv[i]) + " needs a value");
        return argv[++i];
    };
    for (; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--record") {
            tour.record.emplace(value());
        } else if (option == L"--move-panel") {
            const std::wstring place = value();
            const std::size_t comma = place.find(L',');
            if (comma == std::wstring::npos) throw std::invalid_argument("--move-panel wants X,Y");
            tour.panelPlace =
                POINT{Number(place.substr(0, comma)), Number(place.substr(comma + 1))};
        } else if (option == L"--expect-dpi") {
            tour.dpi = Number(value());
        } else if (option == L"--reason") {
            tour.reason = value();
        } else if (option == L"--steps") {
            const std::wstring steps = value() + L",";
            for (std::size_t from = 0, comma; (comma = steps.find(L',', from)) != steps.npos;
                 from = comma + 1) {
                const std::wstring_view name = std::wstring_view(steps).substr(from, comma - from);
                const auto step = std::find_if(std::begin(kSteps), std::end(kSteps),
                                               [&](const auto& s) { return s.first == name; });
                if (step == std::end(kSteps)) {
                    throw std::invalid_argument("unknown step: " + WideToUtf8(std::wstring(name)));
                }
                tour.steps.push_back(*step);
            }
        } else if (option == L"--open-im") {
            const std::wstring recipient = value();
            tour.draft.emplace(recipient, value());
        } else if (option == L"--print-geometry") {
            tour.geometryOf = value();
            if (tour.geometryOf != L"panel" && tour.geometryOf != L"client") {
                throw std::invalid_argument("--print-geometry takes panel or client");
            }
        } else if (option == L"--close") {
            tour.close = true;
        } else {
            throw std::invalid_argument("unknown option: " + WideToUtf8(option));
        }
    }
    if ((!tour.steps.empty() || tour.draft) && !tour.record) {
        throw std::invalid_argument("--steps and --open-im need --record");
    }
    return tour;
}

HWND Shown(const wchar_t* className, const std::string& what) {
    const HWND window = driver::WaitForTopLevelWindow(className, 0, kBound, Visibility::Shown);
    Require(window != nullptr, what + " did not show its window");
    return window;
}

HWND Child(HWND parent, const wchar_t* className, int index = 0) {
    const HWND child = parent != nullptr ? driver::FindChild(parent, className, index) : nullptr;
    Require(child != nullptr, "the client's window tree has no " + WideToUtf8(className));
    return child;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    Require(GetWindowRect(window, &rect), "a window went away");
    return rect;
}

void MovePanel(HWND panel, POINT place) {
    Say("moving the panel");
    Require(SetWindowPos(panel, nullptr, place.x, place.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE),
            "could not move the panel's window");
    Require(driver::WaitUntil(
                [&] {
                    const RECT rect = WindowRect(panel);
                    return rect.left == place.x && rect.top == place.y;
                },
                5s),
            "the panel's window did not move");
    RedrawWindow(panel, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CheckDensity(HWND panel, int dpi) {
    RECT client{};
    GetClientRect(panel, &client);
    const auto [width, height] = layout::ClientSize(dpi);
    Require(client.right == width && client.bottom == height,
            "at " + std::to_string(dpi) + " dpi the panel's client area should be " +
                std::to_string(width) + " x " + std::to_string(height) + " pixels, not " +
                std::to_string(client.right) + " x " + std::to_string(client.bottom));
}

// Presses the button and waits until the client has taken what it sends.
void Press(const driver::PanelControls& panel, driver::RecordFile& record,
           std::pair<std::wstring_view, int> step) {
    const auto [name, button] = step;
    const driver::ClickEffect effect = driver::EffectOf(button);
    const std::size_t lines = record.Events("line").size() + effect.lines;
    const std::size_t messages = record.Events("im").size() + (effect.instantMessage ? 1 : 0);
    const std::string what = WideToUtf8(std::wstring(name));
    Say("pressing " + what);
    Require(panel.Click(button), "could not press " + what);
    Require(record.WaitForEvents("line", lines, kBound).size() >= lines,
            "the client did not take the lines of " + what);
    Require(record.WaitForEvents("im", messages, kBound).size() >= messages,
            "the client did not get the instant message of " + what);
}

// A new instant-message window, from the toolbar's fifth icon, with its text typed and unsent.
void WriteInstantMessage(HWND client, driver::RecordFile& record, const std::wstring& recipient,
                         const std::wstring& message) {
    Say("writing an instant message");
    const std::size_t opened = record.Events("imopen").size() + 1;
    const HWND icon = Child(Child(Child(client, L"AOL Toolbar"), L"_AOL_Toolbar"), L"_AOL_Icon", 4);
    Win32WindowOps ops;
    ClickIcon(ops, static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(icon)));
    Require(record.WaitForEvents("imopen", opened, kBound).size() >= opened,
            "the client opened no instant-message window");
    // The newest comes first among the client's documents.
    const HWND window =
        FindWindowExW(Child(client, L"MDIClient"), nullptr, L"AOL Child", L"Send Instant Message");
    for (const auto& [className, text] :
         {std::pair{L"_AOL_Edit", &recipient}, std::pair{L"RICHCNTL", &message}}) {
        const HWND box = Child(window, className);
        Require(driver::SetText(box, *text) && driver::ReadText(box) == *text,
                "the instant-message window did not take its text");
    }
}

void Close(HWND window, const std::string& what) {
    Say("closing " + what);
    Require(
        driver::PostClose(window) && driver::WaitUntil([&] { return !IsWindow(window); }, kBound),
        what + " did not close");
}

void Run(Tour& tour) {
    const bool usesPanel = tour.panelPlace || tour.dpi || tour.reason || !tour.steps.empty() ||
                           tour.geometryOf == L"panel";
    const HWND panel = usesPanel ? Shown(L"QuillowPanel", "Quillow") : nullptr;
    const HWND client = tour.draft || tour.geometryOf == L"client"
                            ? Shown(L"AOL Frame25", "the stand-in client")
                            : nullptr;
    if (tour.panelPlace) MovePanel(panel, *tour.panelPlace);
    if (tour.dpi) CheckDensity(panel, *tour.dpi);
    if (tour.reason) {
        Say("typing the reason \"" + WideToUtf8(*tour.reason) + "\"");
        Require(driver::PanelControls(panel).SetReason(*tour.reason),
                "the panel did not take the reason");
    }
    for (const auto& step : tour.steps) Press(driver::PanelControls(panel), *tour.record, step);
    if (tour.draft)
        WriteInstantMessage(client, *tour.record, tour.draft->first, tour.draft->second);
    if (!tour.geometryOf.empty()) {
        const RECT r = WindowRect(tour.geometryOf == L"panel" ? panel : client);
        std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    }
    if (!tour.close) return;
    if (const HWND shown = driver::FindTopLevelWindow(L"QuillowPanel", 0, Visibility::Shown)) {
        const std::size_t farewell = tour.record ? tour.record->Events("line").size() + 2 : 0;
        Close(shown, "Quillow");
        // The farewell lines are taken before the window goes.
        Require(!tour.record || tour.record->Events("line").size() >= farewell,
                "Quillow closed without its two farewell lines");
    }
    if (const HWND shown = driver::FindTopLevelWindow(L"AOL Frame25", 0, Visibility::Shown)) {
        Close(shown, "the stand-in client");
    }
}

}  // namespace
}  // namespace quillow::demo

int wmain(int argc, wchar_t** argv) {
    // Screen coordinates and sizes in real pixels, whatever the density.
    SetProcessDPIAware();
    try {
        quillow::demo::Tour tour = quillow::demo::Read(argc, argv);
        quillow::demo::Run(tour);
        return 0;
    } catch (const std::logic_error& fault) {
        std::fprintf(stderr, "tour: %s (see the head of demo/tour.cpp)\n", fault.what());
        return 2;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tour: FAILED: %s\n", failure.what());
        return 1;
    }
}
