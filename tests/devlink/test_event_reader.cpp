// The event worker on the virtual mouse's event collection.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "common/dbg_out.h"
#include "devlink/link/event_reader.h"
#include "devlink/sim_link_fixture.h"

namespace md {
namespace {

class Codes {
  public:
    void add(uint16_t c) {
        {
            std::lock_guard lock(m_mutex);
            m_codes.push_back(c);
        }
        m_cv.notify_all();
    }
    // Waits (generously) until n codes arrived.
    std::vector<uint16_t> waitFor(size_t n) {
        std::unique_lock lock(m_mutex);
        m_cv.wait_for(lock, std::chrono::seconds(10), [&] { return m_codes.size() >= n; });
        return m_codes;
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<uint16_t> m_codes;
};

class EventReaderTest : public test::SimMouseLinks {
  protected:
    void SetUp() override {
        SimMouseLinks::SetUp();
        path = test::simPath(bus, 0x248A, 0x5B50, 1, 3);
        channelPtr = std::make_unique<HidChannel>(bus);
        ASSERT_TRUE(channel().openChannel(path));
    }
    HidChannel& channel() { return *channelPtr; }
    std::string path;
    std::unique_ptr<HidChannel> channelPtr;
    std::mutex lock;
    Codes codes;
};

TEST_F(EventReaderTest, EventCodesReachTheHandler) {
    EventReader reader(
        channel(), lock, [&](uint16_t c) { codes.add(c); }, "MS 设备同步线程设定退出");
    reader.start();
    while (!channel().isReading()) std::this_thread::yield();
    ASSERT_TRUE(mouse->emitEvent(0x0401));
    ASSERT_TRUE(mouse->switchHardwareProfile(3, 0));
    EXPECT_EQ(codes.waitFor(2), (std::vector<uint16_t>{0x0401, 0x1103}));
}

TEST_F(EventReaderTest, StopEndsABlockedReadInTime) {
    std::vector<std::string> lines;
    std::mutex linesMutex;
    setDbgSink([&](std::string_view l) {
        std::lock_guard g(linesMutex);
        lines.emplace_back(l);
    });
    EventReader reader(
        channel(), lock, [&](uint16_t c) { codes.add(c); }, "MS 设备同步线程设定退出");
    reader.start();
    while (!channel().isReading()) std::this_thread::yield();
    EXPECT_TRUE(reader.stop(std::chrono::milliseconds(500)));
    EXPECT_FALSE(reader.running());
    setDbgSink(nullptr);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MS 设备同步线程设定退出"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "线程退出：：对象处于激发状态"), lines.end());
}

TEST_F(EventReaderTest, ChannelReplacedUnderTheLockAndUnplugHandled) {
    EventReader reader(
        channel(), lock, [&](uint16_t c) { codes.add(c); }, "exit");
    reader.start();
    {
        std::lock_guard g(lock);
        channel().closeChannel();
    }
    ASSERT_TRUE(mouse->emitEvent(0x0501));  // nobody listens
    {
        std::lock_guard g(lock);
        ASSERT_TRUE(channel().reopenChannel());
    }
    while (!channel().isReading()) std::this_thread::yield();
    ASSERT_TRUE(mouse->emitEvent(0x0502));
    EXPECT_EQ(codes.waitFor(1), (std::vector<uint16_t>{0x0502}));
    bus->unplug(mouse);  // reads now fail at once; the worker backs off and still stops
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(reader.stop(std::chrono::milliseconds(500)));
}

}  // namespace
}  // namespace md
