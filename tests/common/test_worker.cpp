#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "common/dbg_out.h"
#include "common/worker.h"

namespace md {
namespace {

using namespace std::chrono_literals;

TEST(Worker, StopEndsAWaitingBodyInTimeAndCallsTheCancelHookOnce) {
    Worker w;
    std::atomic<int> cancels{0};
    std::atomic<bool> sawStop{false};
    w.start([&](const StopEvent& stop) { sawStop = stop.wait(60s); }, [&] { ++cancels; });
    EXPECT_TRUE(w.running());
    EXPECT_TRUE(w.stop(60s));
    EXPECT_FALSE(w.running());
    EXPECT_TRUE(sawStop);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(w.stop());  // nothing left to stop
}

TEST(Worker, ABodyPastTheBoundIsReportedAndStillJoined) {
    // The body ignores its stop event until the timed-out text has been written: stop() must
    // answer false, write that text, and still wait for the body.
    std::mutex m;
    std::condition_variable cv;
    bool release = false;
    std::vector<std::string> lines;
    setDbgSink([&](std::string_view line) {
        std::lock_guard lock(m);
        lines.emplace_back(line);
        release = true;
        cv.notify_all();
    });
    std::atomic<bool> ended{false};
    Worker w;
    w.start([&](const StopEvent&) {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return release; });
        ended = true;
    });
    EXPECT_FALSE(w.stop(1ms, kThreadEndedText, kThreadTimedOutText));
    EXPECT_TRUE(ended);
    EXPECT_FALSE(w.running());
    setDbgSink(nullptr);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0] + "\n", kThreadTimedOutText);  // the sink gets lines without their end
}

TEST(Worker, RestartResetsTheStopEventAndSignalDoesNotWait) {
    Worker w;
    std::atomic<int> runs{0};
    auto body = [&](const StopEvent& stop) {
        ++runs;
        stop.wait(60s);
    };
    w.start(body);
    w.signal();
    EXPECT_TRUE(w.stop(60s));
    w.start(body);  // a fresh stop event: the body waits again
    EXPECT_TRUE(w.running());
    EXPECT_TRUE(w.stop(60s));
    EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace md
