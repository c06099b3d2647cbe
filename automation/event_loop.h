// The seam between the paced wait and the panel's event loop.
#pragma once

namespace quillow {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Seconds on a monotonic clock.
    virtual double Now() = 0;

    // Runs the handlers of every event that is pending now, then returns.
    virtual void ProcessPendingEvents() = 0;

    // Blocks until an event is pending or the clock reaches `deadline`, whichever comes first.
    // Runs no handler.
    virtual void WaitForEvents(double deadline) = 0;
};

}  // namespace quillow
