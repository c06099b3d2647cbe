#include "automation/pause.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scripted_loop.h"

namespace quillow {
namespace {

using testing::ScriptedLoop;
using Log = std::vector<std::string>;

TEST(PauseTest, ZeroOrNegativeReturnsAtOnceWithoutHandlingEvents) {
    for (const double seconds : {0.0, -1.0}) {
        ScriptedLoop loop;
        bool ran = false;
        loop.At(0, [&] { ran = true; });
        Pause(loop, seconds);
        EXPECT_FALSE(ran) << seconds;
        EXPECT_EQ(loop.Now(), 0) << seconds;
    }
}

TEST(PauseTest, SleepsToEachEventDueBeforeItsEndAndReturnsAtTheEnd) {
    ScriptedLoop loop;
    loop.Spend(100);  // the wait counts from its own start
    std::vector<double> ran;
    for (const double at : {0.0, 0.3, 0.69, 0.71}) {
        loop.At(100 + at, [&, at] { ran.push_back(at); });
    }

    Pause(loop, 0.7);
    EXPECT_DOUBLE_EQ(loop.Now(), 100.7);
    EXPECT_EQ(ran, (std::vector<double>{0.0, 0.3, 0.69}));
    EXPECT_EQ(loop.Waits(), 3);  // up to each later event, then up to the end: no spinning
}

// A command started in a wait runs to its end before the wait returns. The outer wait keeps its
// own end: reached already when the inner command outlasts it, still to come when not.
TEST(PauseTest, NestedCommandFinishesBeforeTheOuterWaitReturns) {
    for (const double inner : {1.0, 0.2}) {
        ScriptedLoop loop;
        Log log;
        loop.At(0.2, [&] {
            log.push_back("inner starts");
            Pause(loop, inner);
            log.push_back("inner ends");
        });

        Pause(loop, 0.7);
        log.push_back("outer ends");
        EXPECT_EQ(log, (Log{"inner starts", "inner ends", "outer ends"}));
        EXPECT_DOUBLE_EQ(loop.Now(), inner == 1.0 ? 1.2 : 0.7);
    }
}

// Events still queued behind a nested command that outlasted the wait are left to the waits
// further out: each wait returns as soon as its own time is up.
TEST(PauseTest, ReturnsOnceItsTimeIsUpEvenWithEventsPending) {
    ScriptedLoop loop;
    Log log;
    loop.At(0.1, [&] {
        log.push_back("long command");
        loop.Spend(1);
    });
    loop.At(0.1, [&] { log.push_back("next command"); });

    Pause(loop, 0.7);
    log.push_back("wait ends");
    Pause(loop, 1);  // a wait further out
    EXPECT_EQ(log, (Log{"long command", "wait ends", "next command"}));
}

}  // namespace
}  // namespace quillow
