// An event loop on a virtual clock: events are scheduled at given times and run when a wait
// reaches them, so waits take no real time and every run is the same.
#pragma once

#include <functional>
#include <map>

#include "automation/event_loop.h"

namespace quillow::testing {

class ScriptedLoop final : public EventLoop {
public:
    // Schedules an event; events at the same time run in the order they were scheduled.
    void At(double time, std::function<void()> event);

    // Moves the clock on without handling events, as if work took that long.
    void Spend(double seconds) { now_ += seconds; }

    // Runs the events due now, then waits for and runs the later ones, until none is left.
    void RunUntilIdle();

    int Turns() const { return turns_; }
    int Waits() const { return waits_; }

    double Now() override { return now_; }
    void ProcessPendingEvents(double deadline) override;
    void WaitForEvents(double deadline) override;

private:
    std::multimap<double, std::function<void()>> events_;
    double now_ = 0;
    int turns_ = 0;
    int waits_ = 0;
};

}  // namespace quillow::testing
