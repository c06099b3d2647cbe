// A burst of clicks far past the panel's bound on nested commands: how fast the backlog drains,
// how deep the commands nest meanwhile, and how soon "Exit" ends the program behind it.
#pragma once

#include <optional>

namespace quillow::bench {

struct BurstOptions {
    int clicks = 2000;        // on "Con"
    double perSecond = 100;   // how fast they are posted
    double drainBound = 300;  // s after the last click; a panel slower than that is cut short
    double exitBound = 30;    // s for "Exit" to end the program
};

struct Burst {
    double lastClickToLastLine = 0;     // s; up to drainBound when cut short
    bool drained = false;               // every command finished within drainBound
    double commandsPerSecond = 0;       // finished while draining (after the last click)
    int deepestNesting = 0;             // most "Con" started and not yet finished at once
    std::optional<double> exitSeconds;  // "Exit" clicked mid-drain to the process gone
};

// One run: a client and a panel of their own, the burst, the drain; then a second burst in a
// fresh pair with "Exit" clicked just after its last click.
Burst MeasureBurst(const BurstOptions& options);

}  // namespace quillow::bench
