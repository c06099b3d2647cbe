#include "automation/pause.h"

namespace quillow {

void Pause(EventLoop& loop, double seconds) {
    // The end is fixed once, on entry; testing against it rather than re-adding the duration
    // keeps rounding from leaving the wait a hair short of an end it can never reach. A nested
    // command that outlasts the wait makes the next test fail at once, so the outer command
    // goes on straight after it.
    const double end = loop.Now() + seconds;
    while (loop.Now() < end) {
        loop.ProcessPendingEvents(end);
        if (!(loop.Now() < end)) break;
        // Sleep rather than spin: nothing is due until an event arrives or the time is up.
        loop.WaitForEvents(end);
    }
    // The waits further out may find their time up too and return without a turn: what ends
    // the program is served here rather than behind the lines they go on to post.
    loop.ServeEnding();
}

}  // namespace quillow
