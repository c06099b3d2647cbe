// tour.exe: starts the stand-in client and Quillow, and works them the way a person would, for
// scripts/demo and scripts/screenshots. The client comes up at 10,10, 900 x 640 pixels, and the
// panel beside it at 936,10, as on a 1280 x 800 screen. Then the tour says "ok" and reads
// commands from its standard input, one a line, answering each on its standard output with one
// line: "ok", "ok VALUE", or "FAILED: " and why.
//
//   move X,Y            moves the panel's window to X,Y on the screen
//   expect-dpi N        fails unless the panel is laid out for N dots per inch
//   geometry WHICH      the panel's or the client's window (panel, client), or a button of the
//                       panel (start, imon, con), on the screen, as WxH+X+Y
//   reason TEXT         types TEXT into the panel's reason box
//   press BUTTON...     presses "Start", "IM on" or "Con" (start, imon, con), each in turn,
//                       waiting until the client has its lines and instant message
//   open-im TO MESSAGE  opens an instant-message window in the client and types TO and
//                       MESSAGE into it, unsent
//   wait-panel          waits, for as long as it takes, until the panel is closed
//   close               closes the panel (waiting for its farewell lines), then the client,
//                       either of which may be gone already
//
// The end of the input closes them too, and ends the tour. When they do not come up, it says
// why on its standard output and exits 1.
#include <windows.h>

#include <cstdint>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "automation/ansi_text.h"
#include "automation/instant_message.h"
#include "automation/window_ops_win.h"
#include "driver/controls.h"
#include "driver/session.h"
#include "panel/layout.h"

namespace quillow::demo {
namespace {

using namespace std::chrono_literals;

// For anything the tour waits for: far more than a healthy run comes near.
constexpr auto kBound = 30s;

void Require(bool good, const std::string& what) {
    if (!good) throw std::runtime_error(what);
}

// The rest of the command's line, without the spaces before it.
std::string Rest(std::istream& words) {
    std::string rest;
    std::getline(words >> std::ws, rest);
    return rest;
}

int Button(const std::string& name) {
    static const std::map<std::string, int> buttons = {
        {"start", layout::kStartId}, {"imon", layout::kImOnId}, {"con", layout::kConId}};
    const auto button = buttons.find(name);
    Require(button != buttons.end(), "no such button: " + name);
    return button->second;
}

HWND Child(HWND parent, const wchar_t* className, int index = 0) {
    const HWND child = parent != nullptr ? driver::FindChild(parent, className, index) : nullptr;
    Require(child != nullptr, "the client's window tree has no " + WideToUtf8(className));
    return child;
}

void MovePanel(HWND panel, POINT place) {
    Require(SetWindowPos(panel, nullptr, place.x, place.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE),
            "could not move the panel's window");
}

// Presses the button and waits until the client has taken what it sends.
void Press(const driver::PanelControls& panel, driver::RecordFile& record,
           const std::string& name) {
    const int button = Button(name);
    const driver::ClickEffect effect = driver::EffectOf(button);
    const std::size_t lines = record.Events("line").size() + effect.lines;
    const std::size_t messages = record.Events("im").size() + (effect.instantMessage ? 1 : 0);
    Require(panel.Click(button), "could not press " + name);
    Require(record.WaitForEvents("line", lines, kBound).size() >= lines,
            "the client did not take the lines of " + name);
    Require(record.WaitForEvents("im", messages, kBound).size() >= messages,
            "the client did not get the instant message of " + name);
}

// A new instant-message window, from the toolbar's fifth icon, with its text typed and unsent.
void WriteInstantMessage(HWND client, driver::RecordFile& record, const std::wstring& recipient,
                         const std::wstring& message) {
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

void Close(HWND window, const driver::Process& process, const std::string& what) {
    Require(!process.Running() || (driver::PostClose(window) && process.WaitForExit(kBound)),
            what + " did not close");
}

// The panel, making sure its two farewell lines arrive, then the client.
void Close(driver::Session& session) {
    driver::RecordFile& record = session.client.record();
    if (session.panel.process().Running()) {
        const std::size_t farewell = record.Events("line").size() + 2;
        Close(session.panel.Window(), session.panel.process(), "Quillow");
        Require(record.WaitForEvents("line", farewell, kBound).size() >= farewell,
                "Quillow closed without its two farewell lines");
    }
    Close(session.client.MainWindow(), session.client.process(), "the stand-in client");
}

// Does the command whose arguments `words` holds; returns the answer.
std::string Do(driver::Session& session, const std::string& command, std::istream& words) {
    const HWND panel = session.panel.Window();
    if (command == "move") {
        POINT place{};
        char comma = 0;
        Require(words >> place.x >> comma >> place.y && comma == ',', "move wants X,Y");
        MovePanel(panel, place);
    } else if (command == "expect-dpi") {
        int dpi = 0;
        Require(static_cast<bool>(words >> dpi), "expect-dpi wants a number");
        RECT area{};
        GetClientRect(panel, &area);
        const auto [width, height] = layout::ClientSize(dpi);
        Require(area.right == width && area.bottom == height,
                "the panel is not laid out for " + std::to_string(dpi) + " dpi");
    } else if (command == "geometry") {
        const std::string which = Rest(words);
        const HWND window = which == "panel"    ? panel
                            : which == "client" ? session.client.MainWindow()
                                                : session.panel.Control(Button(which));
        RECT r{};
        Require(GetWindowRect(window, &r), which + " is not on the screen");
        return "ok " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
               "+" + std::to_string(r.left) + "+" + std::to_string(r.top);
    } else if (command == "reason") {
        Require(session.panel.SetReason(Utf8ToWide(Rest(words))),
                "the panel did not take the reason");
    } else if (command == "press") {
        for (std::string name; words >> name;) Press(session.panel, session.client.record(), name);
    } else if (command == "open-im") {
        std::string recipient;
        words >> recipient;
        WriteInstantMessage(session.client.MainWindow(), session.client.record(),
                            Utf8ToWide(recipient), Utf8ToWide(Rest(words)));
    } else if (command == "wait-panel") {
        WaitForSingleObject(session.panel.process().Handle(), INFINITE);
    } else if (command == "close") {
        Close(session);
    } else {
        throw std::runtime_error("no such command: " + command);
    }
    return "ok";
}

void Run() {
    driver::Session session =
        driver::Session::Start("tour", {.client = {"--pos", "10,10", "--size", "900,640"}});
    MovePanel(session.panel.Window(), {936, 10});
    std::cout << "ok" << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        try {
            std::cout << Do(session, command, words) << std::endl;
        } catch (const std::runtime_error& failure) {
            std::cout << "FAILED: " << failure.what() << std::endl;
        }
    }
    Close(session);
}

}  // namespace
}  // namespace quillow::demo

int main() {
    // Screen coordinates and sizes in real pixels, whatever the density.
    SetProcessDPIAware();
    try {
        quillow::demo::Run();
        return 0;
    } catch (const std::exception& failure) {
        std::cout << "FAILED: " << failure.what() << std::endl;
        return 1;
    }
}
