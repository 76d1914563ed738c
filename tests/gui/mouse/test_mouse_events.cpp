// The mouse's event channels: synchronisation requests, hardware-profile changes, the
// horizontal-wheel buttons through the input-synthesis plugin, and stopping blocked readers.
#include <QAbstractButton>
#include <QFile>
#include <mutex>
#include <optional>

#include "common/dbg_out.h"
#include "devices/mouse/mouse_key_table.h"
#include "gui_test_support.h"
#include "mouse_model_fixture.h"

namespace md::test {
namespace {

class MouseEventTest : public MouseModelTest {
  protected:
    void SetUp() override {
        MouseModelTest::SetUp();
        attach();
        kind =
            wireless() ? COrrivaleMouseDevice::kWirelessEvents : COrrivaleMouseDevice::kWiredEvents;
        ASSERT_FALSE(eventPath().empty());
        ASSERT_TRUE(model->openEventChannel(eventPath(), kind));
        ASSERT_TRUE(waitFor([&] { return channel().isReading(); }));
    }
    HidChannel& channel() {
        return model->session().eventChannel(wireless() ? EventRoute::Receiver : EventRoute::Cable);
    }
    int kind = 0;
};

TEST_P(MouseEventTest, SynchronisationRequestStartsTheTileTimer) {
    std::vector<std::pair<int, int>> timers;
    QObject::connect(model, &COrrivaleMouseDevice::tileTimerRequested,
                     [&](int id, int ms) { timers.emplace_back(id, ms); });
    ASSERT_TRUE(eventSource().emitEvent(0x0401));
    ASSERT_TRUE(waitFor([&] { return !timers.empty(); }));
    EXPECT_EQ(timers, (std::vector<std::pair<int, int>>{{1002, 50}}));
}

TEST_P(MouseEventTest, HardwareProfileChangesShowOnThePage) {
    const struct {
        uint8_t profile;
        std::optional<uint8_t> stage;
        int shownStage;
    } cases[] = {{3, 0, 0}, {5, std::nullopt, 0}, {2, 4, 4}, {1, std::nullopt, 4}};
    ASSERT_TRUE(control<QAbstractButton>("DPI_model_1")->isChecked());
    for (const auto& c : cases) {
        ASSERT_TRUE(eventSource().switchHardwareProfile(c.profile, c.stage));  // 0x10p0 / 0x11sp
        ASSERT_TRUE(waitFor([&] { return model->controller().hardwareProfile() == c.profile; }))
            << int(c.profile);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(control<QAbstractButton>(QString("DPI_model_%1").arg(i))->isChecked(),
                      i == c.shownStage)
                << int(c.profile) << " stage " << i;
        EXPECT_EQ(model->profileData().getActiveStage(), c.shownStage);
    }
}

TEST_P(MouseEventTest, HardwareProfileCodesAreIgnoredWhileDetached) {
    model->commandLink().closeLink();
    std::vector<std::pair<int, int>> timers;
    QObject::connect(model, &COrrivaleMouseDevice::tileTimerRequested,
                     [&](int id, int ms) { timers.emplace_back(id, ms); });
    ASSERT_TRUE(eventSource().switchHardwareProfile(3, 0));
    ASSERT_TRUE(eventSource().emitEvent(0x0401));  // handled after the profile code
    ASSERT_TRUE(waitFor([&] { return !timers.empty(); }));
    EXPECT_EQ(model->controller().hardwareProfile(), 0);
    EXPECT_TRUE(control<QAbstractButton>("DPI_model_1")->isChecked());
}

TEST_P(MouseEventTest, HorizontalWheelButtonsCallTheSynthesisPlugin) {
    ASSERT_TRUE(model->synthesis().usable());
    const QString log = freshFolder("sdk_log") + "calls.txt";
    qputenv("MD_FAKE_SDK_LOG", log.toUtf8());
    const auto& map = model->controller().keyPositionMap();
    ASSERT_TRUE(eventSource().emitEvent(uint16_t(0x500 + map[0])));   // left button: nothing
    ASSERT_TRUE(eventSource().emitEvent(uint16_t(0x500 + map[9])));   // 11 00 01: right
    ASSERT_TRUE(eventSource().emitEvent(uint16_t(0x500 + map[10])));  // 11 00 FF: left
    const auto calls = [&] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    EXPECT_TRUE(waitFor([&] { return calls().count('\n') >= 2; }));
    EXPECT_EQ(calls(), "UniFunc 188\nUniFunc 189\n");
    qunsetenv("MD_FAKE_SDK_LOG");
}

TEST_P(MouseEventTest, BlockedReadersEndWithinTheirTimeout) {
    std::mutex m;
    std::vector<std::string> lines;
    setDbgSink([&](std::string_view l) {
        std::lock_guard g(m);
        lines.emplace_back(l);
    });
    const auto count = [&](const std::string& text) {
        std::lock_guard g(m);
        return std::count(lines.begin(), lines.end(), text);
    };
    ASSERT_TRUE(model->reopenEventChannel(eventPath(), kind));  // the first reader ends
    ASSERT_TRUE(waitFor([&] { return channel().isReading(); }));
    model->closeEventChannel(kind);
    EXPECT_FALSE(model->eventChannelOpen(kind));
    EXPECT_FALSE(channel().isOpen());
    delete model;  // the preview worker ends with the model
    model = nullptr;
    setDbgSink(nullptr);
    EXPECT_EQ(count("MS 设备同步线程设定退出"), 2);
    EXPECT_EQ(count("MS灯光线程设定退出"), 1);
    EXPECT_EQ(count("线程退出：：对象处于激发状态"), 3);
    EXPECT_EQ(count("线程退出：：对象处于非激发状态，超时"), 0);
}

INSTANTIATE_TEST_SUITE_P(Links, MouseEventTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

}  // namespace
}  // namespace md::test
