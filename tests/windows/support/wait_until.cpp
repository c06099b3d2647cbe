#include "tests/windows/support/wait_until.h"

#include <thread>

namespace quillow::e2e {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(interval);
    }
    return done();
}

}  // namespace quillow::e2e
