#include "automation/pause.h"

namespace quillow {

void Pause(EventLoop& loop, double seconds) {
    const double start = loop.Now();
    // Time is tested before every turn; a nested command that outlasts the wait makes the
    // next test fail at once, so the outer command goes on straight after it.
    while (loop.Now() - start < seconds) {
        loop.ProcessPendingEvents();
        if (!(loop.Now() - start < seconds)) break;
        // Sleep rather than spin: nothing is due until an event arrives or the time is up.
        loop.WaitForEvents(start + seconds);
    }
}

}  // namespace quillow
