// Time as the running programs are watched: the clock the stand-in client stamps its record
// with, and waiting with a bound for something another program does.
#pragma once

#include <chrono>
#include <functional>

namespace quillow::driver {

// Seconds on the performance counter (QueryPerformanceCounter), the record's clock.
double CounterSeconds();

// Checks `done` every `interval` until it holds or `timeout` has passed; true when it held.
// The check runs at least once, and once more at the end of the time.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20));

}  // namespace quillow::driver
