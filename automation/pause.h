#pragma once

#include "automation/event_loop.h"

namespace quillow {

// Waits until `seconds` have passed since entry while the panel goes on handling its events,
// so a command can space out its actions without freezing the panel. Handlers of other
// commands may run, to their end, inside the wait. Whatever the duration, the wait ends by
// serving what ends the program (EventLoop::ServeEnding); a duration of 0 or less handles
// nothing else.
void Pause(EventLoop& loop, double seconds);

}  // namespace quillow
