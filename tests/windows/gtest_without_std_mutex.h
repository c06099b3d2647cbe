// Included ahead of GoogleTest's sources and the tests' (see CMakeLists.txt). The C++ library
// of the XP-compatible toolchain has no std::mutex or std::condition_variable, which GoogleTest
// uses for one thing only: the Notification that starts its own thread helpers. This one polls
// instead; the tests never use it.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
