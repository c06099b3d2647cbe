// What the end-to-end tests share: their one bound on waiting, and a fixture that runs Quillow
// beside a stand-in client of the test's own, its record named after the case.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/clock.h"
#include "driver/session.h"
#include "tests/support/room_lines.h"

namespace quillow {

// Far above anything that works takes under Wine; only a broken run waits so long.
inline constexpr std::chrono::seconds kBound{15};

// The running case's name, fit for a folder (a parameterized case's '/' made '_').
inline std::string TestName() {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    return name;
}

class EndToEnd : public ::testing::Test {
protected:
    void Start(const driver::SessionOptions& options = {}) {
        session_.reset();  // the last one's, with its record
        session_.emplace(driver::Session::Start(TestName(), options));
    }
    driver::RunningPanel& panel() { return session_->panel; }
    driver::StandinClient& client() { return session_->client; }

    void Click(int button) { ASSERT_TRUE(panel().Click(button)) << "button " << button; }

    // The lines the room took, once there are `count` of them (or those there are when the
    // time is up), leaving out the once-a-minute timer's, which a slow run may meet.
    std::vector<std::string> Texts(size_t count, std::string_view room = "room1",
                                   std::chrono::milliseconds timeout = kBound) {
        std::vector<std::string> lines;
        driver::WaitUntil(
            [&] {
                lines.clear();
                for (const std::string& line : client().record().WaitForLines(0, room)) {
                    if (line != room::kTick && !line.starts_with(room::kReBefore)) {
                        lines.push_back(line);
                    }
                }
                return lines.size() >= count;
            },
            count == 0 ? std::chrono::milliseconds(0) : timeout);
        return lines;
    }

    std::optional<driver::Session> session_;
};

}  // namespace quillow
