#include <gtest/gtest.h>

#include <QMetaObject>
#include <tuple>
#include <vector>

#include "app/shell/app_messages.h"
#include "app/services/dbus_service.h"
#include "app/services/sleep_watcher.h"

namespace md {
namespace {
using Message = std::tuple<uint32_t, uintptr_t, intptr_t>;
}

TEST(DbusService, MethodsDeliverTheirMessages) {
    std::vector<Message> got;
    DbusService service;
    service.setHandler([&](uint32_t m, uintptr_t w, intptr_t l) { got.emplace_back(m, w, l); });
    service.Activate();
    service.UpdateProgress(7, 55);
    service.SetLightOwner(1, 0);
    service.GameStart(0, 3);
    service.GameEnd(1, 2);
    service.GameKill(2, 1);
    service.GameDeath(0, 4);
    const QByteArray block = service.QueryWorkTool();
    EXPECT_EQ(block.size(), 1024);
    EXPECT_EQ(block.left(4), QByteArray("\x02\x00\x00\x00", 4));
    EXPECT_EQ(got, (std::vector<Message>{{msg::kActivateInstance, 0, 1},
                                         {msg::kUpdateProgress, 7, 55},
                                         {msg::kLightOwnerSet, 1, 0},
                                         {msg::kGameStart, 0, 3},
                                         {msg::kGameEnd, 1, 2},
                                         {msg::kGameKill, 2, 1},
                                         {msg::kGameDeath, 0, 4},
                                         {msg::kWorkToolQuery, 0, 0}}));
}

TEST(SleepWatcher, PrepareForSleepBecomesThePowerMessage) {
    std::vector<Message> got;
    SleepWatcher watcher([&](uint32_t m, uintptr_t w, intptr_t l) { got.emplace_back(m, w, l); },
                         nullptr);
    ASSERT_TRUE(QMetaObject::invokeMethod(&watcher, "onPrepareForSleep", Q_ARG(bool, true)));
    ASSERT_TRUE(QMetaObject::invokeMethod(&watcher, "onPrepareForSleep", Q_ARG(bool, false)));
    EXPECT_EQ(got, (std::vector<Message>{{msg::kPowerBroadcast, msg::kPowerSuspend, 0},
                                         {msg::kPowerBroadcast, msg::kPowerResume, 0}}));
}

}  // namespace md
