// The seam between the paced wait and the panel's event loop.
#pragma once

namespace quillow {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Seconds on a monotonic clock.
    virtual double Now() = 0;

    // Runs the handlers of the events pending now, one after another, and returns when none is
    // left or once the clock has reached `deadline`, the end of the wait this turn serves. A
    // handler may itself wait and outlast that end; the events still pending are then left to
    // the waits further out, so that each wait returns as soon as its own time is up.
    virtual void ProcessPendingEvents(double deadline) = 0;

    // Blocks until an event is pending or the clock reaches `deadline`, whichever comes first.
    // Runs no handler.
    virtual void WaitForEvents(double deadline) = 0;

    // Runs at once the handlers of what is queued that ends the program (a click on "Exit",
    // the panel being closed), oldest first, and of nothing else. A look, not a wait: with
    // nothing of the kind queued it returns straight away. Called between any two lines and
    // whenever a wait ends, so that ending never queues behind the lines of a backlog.
    virtual void ServeEnding() = 0;
};

}  // namespace quillow
