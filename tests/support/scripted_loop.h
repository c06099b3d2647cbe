// An event loop on a virtual clock: events are scheduled at given times and run when a wait
// reaches them, so waits take no real time and every run is the same.
#pragma once

#include <algorithm>
#include <functional>
#include <map>

#include "automation/event_loop.h"

namespace quillow::testing {

class ScriptedLoop final : public EventLoop {
public:
    // Schedules an event; events at the same time run in the order they were scheduled.
    void At(double time, std::function<void()> event) {
        events_.emplace(time, Event{std::move(event), false});
    }
    // Schedules an event that ends the program, such as a click on "Exit" or a close.
    void AtEnding(double time, std::function<void()> event) {
        events_.emplace(time, Event{std::move(event), true});
    }

    // Moves the clock on without handling events, as if work took that long.
    void Spend(double seconds) { now_ += seconds; }

    int Waits() const { return waits_; }

    double Now() override { return now_; }

    void ProcessPendingEvents(double deadline) override {
        // While a farewell runs, its waits run only what ends the program.
        while (now_ < deadline && RunFirstDue(ending_ > 0)) {
        }
    }

    void ServeEnding() override {
        ++ending_;
        while (RunFirstDue(true)) {
        }
        --ending_;
    }

    void WaitForEvents(double deadline) override {
        ++waits_;
        double next = deadline;
        for (const auto& [time, event] : events_) {
            if (ending_ == 0 || event.ends) {
                next = std::min(time, deadline);
                break;
            }
        }
        now_ = std::max(now_, next);
    }

private:
    // Runs the first event due now (of those that end the program, when `endingOnly`); false
    // when there is none. An event is taken off the queue before it runs: it may wait, and so
    // run events itself.
    bool RunFirstDue(bool endingOnly) {
        for (auto due = events_.begin(); due != events_.end() && due->first <= now_; ++due) {
            if (endingOnly && !due->second.ends) continue;
            auto event = std::move(due->second.run);
            events_.erase(due);
            event();
            return true;
        }
        return false;
    }

    struct Event {
        std::function<void()> run;
        bool ends;
    };
    std::multimap<double, Event> events_;
    double now_ = 0;
    int ending_ = 0;
    int waits_ = 0;
};

}  // namespace quillow::testing
