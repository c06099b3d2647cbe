#include "bench/burst.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <thread>

#include "automation/ansi_text.h"
#include "driver/clock.h"
#include "driver/line_order.h"
#include "driver/session.h"
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
        if (!panel.Click(layout::kConId)) throw std::runtime_error("could not click Con");
    }
    return CounterSeconds();
}

}  // namespace

Burst MeasureBurst(const BurstOptions& options) {
    Burst burst;
    {
        driver::Session pair = driver::Session::Start("burst");
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
        std::vector<std::string> texts;
        for (std::size_t i = before; i < lines.size(); ++i) texts.push_back(lines[i].bytes);
        burst.deepestNesting =
            driver::ReadLineOrder(texts, {{kFirstLine, kSecondLine}}).deepestNesting;
        // Commands finished after the last click.
        const auto finished = std::count_if(
            lines.begin() + static_cast<std::ptrdiff_t>(std::max(before, atLastClick)), lines.end(),
            [](const driver::RecordEntry& line) { return line.bytes == kSecondLine; });
        if (burst.lastClickToLastLine > 0) {
            burst.commandsPerSecond = static_cast<double>(finished) / burst.lastClickToLastLine;
        }
        pair.panel.process().Terminate();
    }
    for (std::size_t i = 0; i < options.exitMoments.size(); ++i) {
        driver::Session pair = driver::Session::Start("burst-exit" + std::to_string(i + 1));
        const double lastClick = PostClicks(pair.panel, options, options.exitClicks);
        std::this_thread::sleep_until(
            std::chrono::steady_clock::now() +
            std::chrono::duration<double>(lastClick + options.exitMoments[i] - CounterSeconds()));
        const double clicked = CounterSeconds();
        if (!pair.panel.MouseClick(layout::kExitId)) {
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
