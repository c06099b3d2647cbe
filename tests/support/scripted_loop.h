// An event loop on a virtual clock: events are scheduled at given times and run when a wait
// reaches them, so waits take no real time and every run is the same.
#pragma once

#include <algorithm>
#include <functional>
#include <limits>
#include <map>

#include "automation/event_loop.h"

namespace quillow::testing {

class ScriptedLoop final : public EventLoop {
public:
    // Schedules an event; events at the same time run in the order they were scheduled.
    void At(double time, std::function<void()> event) { events_.emplace(time, std::move(event)); }

    // Moves the clock on without handling events, as if work took that long.
    void Spend(double seconds) { now_ += seconds; }

    // Runs the events due now, then waits for and runs the later ones, until none is left.
    void RunUntilIdle() {
        while (!events_.empty()) {
            now_ = std::max(now_, events_.begin()->first);
            ProcessPendingEvents(std::numeric_limits<double>::infinity());
        }
    }

    int Waits() const { return waits_; }

    double Now() override { return now_; }

    void ProcessPendingEvents(double deadline) override {
        // An event is taken off the queue before it runs: it may wait, and so run events itself.
        while (!events_.empty() && events_.begin()->first <= now_ && now_ < deadline) {
            auto event = std::move(events_.begin()->second);
            events_.erase(events_.begin());
            event();
        }
    }

    void WaitForEvents(double deadline) override {
        ++waits_;
        now_ =
            std::max(now_, events_.empty() ? deadline : std::min(events_.begin()->first, deadline));
    }

private:
    std::multimap<double, std::function<void()>> events_;
    double now_ = 0;
    int waits_ = 0;
};

}  // namespace quillow::testing
