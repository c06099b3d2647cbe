// Waiting for something another program does, with a bound.
#pragma once

#include <chrono>
#include <functional>

namespace quillow::e2e {

// Checks `done` every `interval` until it holds or `timeout` has passed; true when it held.
// The check runs at least once, and once more at the end of the time.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20));

}  // namespace quillow::e2e
