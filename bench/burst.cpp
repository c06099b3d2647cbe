#include "bench/burst.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>

#include "bench/running_client.h"
#include "tests/windows/support/running_panel.h"

namespace quillow::bench {
namespace {

using namespace std::chrono_literals;

// The two lines of "Con" as the room receives them.
const std::string kFirstLine =
    "<font color=#0000ff> -v\x9B <font color=#000000>You can reach Torvik at SN:Palvo "
    "Torvik<font color=#0000ff> \x8Bv-";
const std::string kSecondLine =
    "<font color=#0000ff> -v\x9B <font color=#000000>You can reach zennoq at "
    "SN:Zennoq03<font color=#0000ff> \x8Bv-";

void SleepUntil(double counterSeconds) {
    const double left = counterSeconds - e2e::CounterSeconds();
    if (left > 0) std::this_thread::sleep_for(std::chrono::duration<double>(left));
}

// Posts the clicks at the given rate; returns when the last one was posted.
double PostClicks(const e2e::RunningPanel& panel, const BurstOptions& options) {
    const double start = e2e::CounterSeconds();
    for (int i = 0; i < options.clicks; ++i) {
        SleepUntil(start + i / options.perSecond);
        if (!panel.Click(e2e::kConButton)) throw std::runtime_error("could not click Con");
    }
    return e2e::CounterSeconds();
}

// A click as the mouse makes it, on the button itself: what a person does, as opposed to the
// click notification the other clicks post.
bool MouseClick(HWND button) {
    const LPARAM inside = MAKELPARAM(4, 4);
    return PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside) &&
           PostMessageW(button, WM_LBUTTONUP, 0, inside);
}

struct Started {
    RunningClient client;
    e2e::RunningPanel panel;
};

Started StartPair(const std::string& name) {
    RunningClient client = RunningClient::Start(name);
    e2e::RunningPanel panel =
        e2e::RunningPanel::Start(BuildTreeProgram("app/quillow.exe"), std::chrono::seconds(30));
    if (!client.WaitForLines(2, 10s)) throw std::runtime_error("no greetings");
    return {std::move(client), std::move(panel)};
}

}  // namespace

Burst MeasureBurst(const BurstOptions& options) {
    Burst burst;
    {
        Started pair = StartPair("burst");
        const std::size_t before = pair.client.record().Lines().size();
        const double lastClick = PostClicks(pair.panel, options);
        pair.client.record().Update();
        const std::size_t atLastClick = pair.client.record().Lines().size();
        const std::size_t total = before + 2 * static_cast<std::size_t>(options.clicks);
        burst.drained = pair.client.WaitForLines(
            total, std::chrono::milliseconds(static_cast<long>(options.drainBound * 1000)));

        const auto& lines = pair.client.record().Lines();
        const double lastLine = lines.back().seconds;
        burst.lastClickToLastLine = lastLine - lastClick;
        // Commands finished after the last click, over that time.
        int finished = 0;
        int open = 0;
        for (std::size_t i = before; i < lines.size(); ++i) {
            if (lines[i].bytes == kFirstLine)
                burst.deepestNesting = std::max(burst.deepestNesting, ++open);
            if (lines[i].bytes == kSecondLine) {
                --open;
                if (i >= atLastClick) ++finished;
            }
        }
        if (burst.lastClickToLastLine > 0)
            burst.commandsPerSecond = finished / burst.lastClickToLastLine;
        pair.panel.process().Terminate();
    }
    {
        Started pair = StartPair("burst-exit");
        PostClicks(pair.panel, options);
        std::this_thread::sleep_for(1s);  // well into the drain
        const double clicked = e2e::CounterSeconds();
        if (!MouseClick(pair.panel.Control(e2e::kExitButton))) {
            throw std::runtime_error("could not click Exit");
        }
        if (pair.panel.process().WaitForExit(
                std::chrono::milliseconds(static_cast<long>(options.exitBound * 1000)))) {
            burst.exitSeconds = e2e::CounterSeconds() - clicked;
        }
        pair.panel.process().Terminate();
    }
    return burst;
}

}  // namespace quillow::bench
