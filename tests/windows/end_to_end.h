// What the end-to-end tests share: their one bound on waiting, and the name each gives its
// client's record.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>

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

}  // namespace quillow
