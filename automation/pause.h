#pragma once

#include "automation/event_loop.h"

namespace quillow {

// Waits until `seconds` have passed since entry while the panel goes on handling its events,
// so a command can space out its actions without freezing the panel. Handlers of other
// commands may run, to their end, inside the wait. A duration of 0 or less returns at once
// without handling any event.
void Pause(EventLoop& loop, double seconds);

}  // namespace quillow
