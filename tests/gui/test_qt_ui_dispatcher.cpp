#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <thread>
#include <vector>

#include "gui_test_support.h"
#include "ui/qt_ui_dispatcher.h"

namespace md {

TEST(QtUiDispatcher, SendFromWorkerRunsOnUiThreadAndWaits) {
    std::vector<uint32_t> handled;
    QThread* uiThread = QThread::currentThread();
    bool onUiThread = true;
    QtUiDispatcher d(
        [&](uint32_t m, uintptr_t, intptr_t) {
            onUiThread = onUiThread && QThread::currentThread() == uiThread;
            handled.push_back(m);
        },
        nullptr);
    std::atomic<bool> sawHandled{false};
    std::thread worker([&] {
        d.send(msg::kSlotClaimed, 3, 0);
        sawHandled = handled.size() == 1;  // send returned only after the handler ran
        d.post(msg::kSlotFreed, 3, 0);
    });
    ASSERT_TRUE(test::waitFor([&] { return handled.size() == 2; }));
    worker.join();
    EXPECT_TRUE(sawHandled);
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(handled, (std::vector<uint32_t>{msg::kSlotClaimed, msg::kSlotFreed}));
}

TEST(QtUiDispatcher, SendOnUiThreadRunsAtOnce) {
    int calls = 0;
    QtUiDispatcher d([&](uint32_t, uintptr_t w, intptr_t) { calls += static_cast<int>(w); },
                     nullptr);
    d.send(1, 5, 0);
    EXPECT_EQ(calls, 5);
}

TEST(QtUiDispatcher, ShutdownReleasesAWaitingSender) {
    int calls = 0;
    QtUiDispatcher d([&](uint32_t, uintptr_t, intptr_t) { ++calls; }, nullptr);
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        d.send(1, 0, 0);  // the UI thread does not run events until shutdown
        returned = true;
    });
    QThread::msleep(50);
    d.shutdown();
    worker.join();
    EXPECT_TRUE(returned);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);  // a message still queued at shutdown is dropped
}

}  // namespace md
