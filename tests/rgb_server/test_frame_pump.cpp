// The pump of client frames: the newest frame wins, nothing queues, a device that leaves is
// never sent to again.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "rgb_server/frame_pump.h"

namespace md::rgb {
namespace {

using lighting::LedColour;

std::vector<LedColour> frameOf(uint8_t red) {
    return std::vector<LedColour>(3, LedColour{red, 0, 0, 0xFF});
}

TEST(FramePump, TheNewestFrameWinsAndNothingQueues) {
    FramePump pump;
    std::mutex m;
    std::condition_variable cv;
    std::vector<uint8_t> seen;
    bool hold = true;
    pump.attach("pad", [&](std::span<const LedColour> leds) {
        std::unique_lock lock(m);
        seen.push_back(leds[0].red);
        cv.notify_all();
        cv.wait(lock, [&] { return !hold; });  // the device is slow
        return true;
    });
    ASSERT_TRUE(pump.post("pad", frameOf(1)));
    {
        std::unique_lock lock(m);
        ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(5), [&] { return seen.size() == 1; }));
    }
    // While frame 1 goes out, frames 2 to 50 arrive: only the last one follows.
    for (uint8_t r = 2; r <= 50; ++r) pump.post("pad", frameOf(r));
    {
        std::lock_guard lock(m);
        hold = false;
        cv.notify_all();
    }
    std::unique_lock lock(m);
    ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(5), [&] { return seen.size() == 2; }));
    EXPECT_EQ(seen, (std::vector<uint8_t>{1, 50}));
    EXPECT_EQ(pump.replaced(), 48u);
}

TEST(FramePump, UnknownOrDetachedDevicesTakeNoFrames) {
    FramePump pump;
    std::atomic<int> calls{0};
    EXPECT_FALSE(pump.post("mouse", frameOf(1)));
    pump.attach("mouse", [&](std::span<const LedColour>) {
        ++calls;
        return true;
    });
    pump.detach("mouse");
    EXPECT_FALSE(pump.post("mouse", frameOf(2)));
    EXPECT_EQ(calls.load(), 0);
}

}  // namespace
}  // namespace md::rgb
