#include "bench/burst.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>

#include "automation/ansi_text.h"
#include "driver/clock.h"
#include "driver/running_panel.h"
#include "driver/standin_client.h"
#include "panel/status_lines.h"

namespace quillow::bench {
namespace {

using namespace std::chrono_literals;
using driver::CounterSeconds;

// The two lines of "Con" as the room receives them, as the rest of the benchmark takes them.
const std::string kFirstLine = Utf8ToAnsi(lines::kContactTorvik);
const std::string kSecondLine = Utf8ToAnsi(lines::kContactZennoq);

std::chrono::milliseconds Ms(double seconds) {
    return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

// Posts the clicks at the given rate; returns when the last one was posted.
double PostClicks(const driver::RunningPanel& panel, const BurstOptions& options, int clicks) {
    const double start = CounterSeconds();
    for (int i = 0; i < clicks; ++i) {
        const double left = start + i / options.perSecond - CounterSeconds();
        if (left > 0) std::this_thread::sleep_for(std::chrono::duration<double>(left));
        if (!panel.Click(driver::kConButton)) throw std::runtime_error("could not click Con");
    }
    return CounterSeconds();
}

struct Pair {
    driver::StandinClient client;
    driver::RunningPanel panel;
};

Pair StartPair(const std::string& name) {
    driver::StandinClient client = driver::StandinClient::Start(name);
    driver::RunningPanel panel = driver::RunningPanel::Start();
    if (client.record().WaitForLines(2).size() < 2) throw std::runtime_error("no greetings");
    return {std::move(client), std::move(panel)};
}

}  // namespace

Burst MeasureBurst(const BurstOptions& options) {
    Burst burst;
    {
        Pair pair = StartPair("burst");
        driver::RecordFile& record = pair.client.record();
        const std::size_t before = record.Lines().size();
        const double lastClick = PostClicks(pair.panel, options, options.clicks);
        record.Update();
        const std::size_t atLastClick = record.Lines().size();
        const std::size_t total = before + 2 * static_cast<std::size_t>(options.clicks);
        burst.drained = driver::WaitUntil(
            [&] {
                record.Update();
                return record.Lines().size() >= total;
            },
            Ms(options.drainBound), 5ms);

        const auto& lines = record.Lines();
        burst.lastClickToLastLine = lines.back().seconds - lastClick;
        // How many commands were under way at once, and how many finished after the last click.
        int open = 0;
        int finished = 0;
        for (std::size_t i = before; i < lines.size(); ++i) {
            if (lines[i].bytes == kFirstLine)
                burst.deepestNesting = std::max(burst.deepestNesting, ++open);
            if (lines[i].bytes == kSecondLine) {
                --open;
                if (i >= atLastClick) ++finished;
            }
        }
        if (burst.lastClickToLastLine > 0) {
            burst.commandsPerSecond = finished / burst.lastClickToLastLine;
        }
        pair.panel.process().Terminate();
    }
    for (std::size_t i = 0; i < options.exitMoments.size(); ++i) {
        Pair pair = StartPair("burst-exit" + std::to_string(i + 1));
        const double lastClick = PostClicks(pair.panel, options, options.exitClicks);
        std::this_thread::sleep_until(
            std::chrono::steady_clock::now() +
            std::chrono::duration<double>(lastClick + options.exitMoments[i] - CounterSeconds()));
        const double clicked = CounterSeconds();
        if (!pair.panel.MouseClick(driver::kExitButton)) {
            throw std::runtime_error("could not click Exit");
        }
        std::optional<double> took;
        if (pair.panel.process().WaitForExit(Ms(options.exitBound))) {
            took = CounterSeconds() - clicked;
        }
        burst.exitSeconds.push_back(took);
        pair.panel.process().Terminate();

        driver::RecordFile& record = pair.client.record();
        record.Update();
        const auto& lines = record.Lines();
        for (std::size_t l = 1; l < lines.size() && lines[l].seconds < clicked; ++l) {
            if (lines[l].bytes == kSecondLine && lines[l - 1].bytes == kSecondLine) {
                burst.drainGaps.push_back(lines[l].seconds - lines[l - 1].seconds);
            }
        }
        MeasureLineAgainstBarePair(options.linesAfterExit, burst.lineCosts);
    }
    return burst;
}

}  // namespace quillow::bench
