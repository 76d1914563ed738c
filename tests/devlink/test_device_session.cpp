#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "devlink/link/device_session.h"
#include "devlink/sim_link_fixture.h"

namespace md {
namespace {

using namespace std::chrono_literals;

class DeviceSessionTest : public test::SimMouseLinks {
  protected:
    void SetUp() override {
        SimMouseLinks::SetUp();
        cable = test::simPath(bus, 0x248A, 0x5B50, 1, 4);
        radio = test::simPath(bus, 0x320F, 0x221D, 1, 4);
        cableEvents = test::simPath(bus, 0x248A, 0x5B50, 1, 3);
    }
    // Waits for the online check's answer.
    std::optional<bool> checkOnline(DeviceSession& s) {
        std::mutex m;
        std::condition_variable cv;
        std::optional<bool> answer;
        s.checkOnline([&](bool online) {
            std::lock_guard lock(m);
            answer = online;
            cv.notify_all();
        });
        std::unique_lock lock(m);
        cv.wait_for(lock, 30s, [&] { return answer.has_value(); });
        return answer;
    }

    std::string cable, radio, cableEvents;
};

TEST_F(DeviceSessionTest, RoutesSetTheLinkModeAndSwitchingMovesTheLiveLink) {
    DeviceSession s(bus);
    ASSERT_TRUE(s.open(cable, LinkRoute::Cable));
    EXPECT_TRUE(s.isOpen());
    EXPECT_FALSE(s.onReceiver());
    EXPECT_EQ(s.link().chunkSize(), 56);
    DeviceInfo info{};
    EXPECT_EQ(s.link().readDeviceInfo(info), link::kOk);

    ASSERT_TRUE(s.switchTo(radio, LinkRoute::Receiver));
    EXPECT_TRUE(s.onReceiver());
    EXPECT_EQ(s.link().chunkSize(), 24);
    receiver->log().clear();
    EXPECT_EQ(s.link().readDeviceInfo(info), link::kOk);
    EXPECT_FALSE(receiver->log().entries(sim::ReportDirection::ToDevice, 0x04).empty());

    ASSERT_TRUE(s.switchTo(cable, LinkRoute::Cable));
    EXPECT_FALSE(s.onReceiver());
    // A switch to a collection that is gone leaves the link closed.
    bus->unplug(receiver);
    EXPECT_FALSE(s.switchTo(radio, LinkRoute::Receiver));
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(s.link().readDeviceInfo(info), link::kNoReply);
}

TEST_F(DeviceSessionTest, SharedOpenKeepsTheLinkMode) {
    DeviceSession s(bus);
    ASSERT_TRUE(s.open(cable, LinkRoute::Shared));
    EXPECT_TRUE(s.isOpen());
    EXPECT_EQ(s.link().chunkSize(), 24);  // as constructed: a shared open changes no mode
    s.close();
    EXPECT_FALSE(s.isOpen());
}

TEST_F(DeviceSessionTest, OnlineCheckRunsOnTheWorkerAndStopsAtTheFirstYes) {
    DeviceSession s(bus);
    ASSERT_TRUE(s.open(radio, LinkRoute::Receiver));
    receiver->log().clear();
    EXPECT_EQ(checkOnline(s), std::optional<bool>(true));
    EXPECT_EQ(test::packetsTo(*receiver).size(), 1u);

    // Switched off behind its receiver: all tries are asked, then the answer is no.
    mouse->firmware().setPoweredOn(false);
    receiver->log().clear();
    EXPECT_EQ(checkOnline(s), std::optional<bool>(false));
    EXPECT_EQ(test::packetsTo(*receiver).size(), size_t(DeviceSession::kOnlineTries));
}

TEST_F(DeviceSessionTest, EventReadersStartAndStopWithTheirCollections) {
    DeviceSession s(bus);
    std::mutex m;
    std::condition_variable cv;
    std::vector<uint16_t> codes;
    ASSERT_TRUE(s.openEvents(
        EventRoute::Cable, cableEvents,
        [&](uint16_t c) {
            std::lock_guard lock(m);
            codes.push_back(c);
            cv.notify_all();
        },
        "exit"));
    EXPECT_TRUE(s.eventsOpen(EventRoute::Cable));
    EXPECT_FALSE(s.eventsOpen(EventRoute::Receiver));
    while (!s.eventChannel(EventRoute::Cable).isReading()) std::this_thread::yield();
    ASSERT_TRUE(mouse->emitEvent(0x0401));
    {
        std::unique_lock lock(m);
        ASSERT_TRUE(cv.wait_for(lock, 30s, [&] { return !codes.empty(); }));
        EXPECT_EQ(codes, (std::vector<uint16_t>{0x0401}));
    }
    s.closeEvents(EventRoute::Cable);
    EXPECT_FALSE(s.eventsOpen(EventRoute::Cable));
    EXPECT_FALSE(s.eventChannel(EventRoute::Cable).isOpen());
    EXPECT_FALSE(s.openEvents(EventRoute::Receiver, "/dev/hidraw99#vid_320f&pid_221d", {}, "x"));
}

}  // namespace
}  // namespace md
