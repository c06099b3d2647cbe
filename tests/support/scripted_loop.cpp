#include "tests/support/scripted_loop.h"

#include <algorithm>
#include <limits>

namespace quillow::testing {

void ScriptedLoop::At(double time, std::function<void()> event) {
    events_.emplace(time, std::move(event));
}

void ScriptedLoop::ProcessPendingEvents(double deadline) {
    ++turns_;
    // An event is taken off the queue before it runs: it may wait and so process events itself.
    while (!events_.empty() && events_.begin()->first <= now_) {
        auto event = std::move(events_.begin()->second);
        events_.erase(events_.begin());
        event();
        if (now_ >= deadline) return;
    }
}

void ScriptedLoop::WaitForEvents(double deadline) {
    ++waits_;
    const double next = events_.empty() ? deadline : events_.begin()->first;
    now_ = std::max(now_, std::min(next, deadline));
}

void ScriptedLoop::RunUntilIdle() {
    constexpr double kNever = std::numeric_limits<double>::infinity();
    ProcessPendingEvents(kNever);
    while (!events_.empty()) {
        now_ = std::max(now_, events_.begin()->first);
        ProcessPendingEvents(kNever);
    }
}

}  // namespace quillow::testing
