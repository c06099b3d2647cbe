// A burst of clicks far past the panel's bound on nested commands: how fast the backlog drains,
// how deep the commands nest meanwhile, and how soon "Exit" ends the program behind it.
#pragma once

#include <optional>
#include <vector>

#include "bench/line_cost.h"

namespace quillow::bench {

struct BurstOptions {
    int clicks = 2000;        // on "Con"
    double perSecond = 100;   // how fast they are posted
    double drainBound = 300;  // s after the last click; a panel slower than that is cut short
    double exitBound = 30;    // s for "Exit" to end the program
    // "Exit" is clicked in a fresh pair of its own at each of these moments (s after the last
    // of `exitClicks` clicks), so that it lands in different phases of the drain.
    int exitClicks = 600;
    std::vector<double> exitMoments = {0.5, 0.9, 1.3, 1.7, 2.1};
    int linesAfterExit = 20;  // of each kind, to the same client once the panel is gone
};

struct Burst {
    double lastClickToLastLine = 0;  // s; up to drainBound when cut short
    bool drained = false;            // every command finished within drainBound
    double commandsPerSecond = 0;    // finished while draining (after the last click)
    int deepestNesting = 0;          // most "Con" started and not yet finished at once
    // "Exit" clicked mid-drain to the process gone, at each moment (none: not within the bound).
    std::vector<std::optional<double>> exitSeconds;
    std::vector<double> drainGaps;  // s between second lines posted back to back, before Exit
    LineCosts lineCosts;            // the same clients, once each panel was gone
};

// One run: a client and a panel of their own, the burst, the drain; then, for each moment, a
// shorter burst in a fresh pair with "Exit" clicked that long after its last click, and the
// cost of a line to that client measured straight after.
Burst MeasureBurst(const BurstOptions& options);

}  // namespace quillow::bench
