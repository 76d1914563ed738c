#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "gui_test_support.h"
#include "ui/control_timers.h"
#include "ui/notify_dispatcher.h"

namespace md {
namespace {
struct Recorder : NotifyTarget {
    std::vector<Notification> seen;
    void notify(const Notification& n) override { seen.push_back(n); }
    QStringList list() const {
        QStringList out;
        for (const auto& n : seen) out << n.type + ":" + n.sender + ":" + QString::number(n.wParam);
        return out;
    }
};

template <typename T>
T* add(QWidget* parent, const char* name) {
    auto* w = new T(parent);
    w->setObjectName(name);
    return w;
}
}  // namespace

TEST(NotifyDispatcher, WidgetSignalsBecomeNotifications) {
    QWidget root;
    root.setObjectName("root");
    auto* button = add<QPushButton>(&root, "closebtn");
    auto* option = add<QPushButton>(&root, "deng_Op_tab");
    option->setCheckable(true);
    auto* slider = add<QSlider>(&root, "DPI_slider_2");
    slider->setRange(0, 100);
    auto* combo = add<QComboBox>(&root, "device_profile_combo");
    combo->addItems({"a", "b", "c"});
    auto* edit = add<QLineEdit>(&root, "macro_delay");
    new QPushButton(&root);  // unnamed: not connected
    Recorder rec;
    NotifyDispatcher d(rec, &root);

    button->click();
    option->click();
    slider->setValue(7);
    combo->setCurrentIndex(2);
    edit->setText("x");
    {
        const QSignalBlocker quiet(slider);
        slider->setValue(9);
    }
    NotifyDispatcher::emitFrom(button, "click_select_end", 4, 0);

    EXPECT_EQ(rec.list(),
              (QStringList{"click:closebtn:0", "selectchanged:deng_Op_tab:1", "click:deng_Op_tab:0",
                           "valuechanged:DPI_slider_2:7", "itemselect:device_profile_combo:2",
                           "textchanged:macro_delay:0", "click_select_end:closebtn:4"}));
    EXPECT_EQ(NotifyDispatcher::of(slider), &d);
}

TEST(NotifyDispatcher, WindowInitOnceAndLaterSubTrees) {
    QWidget root;
    root.setObjectName("root");
    Recorder rec;
    NotifyDispatcher d(rec, &root);
    d.windowInit();
    d.windowInit();
    auto* late = add<QPushButton>(&root, "device_add_btn");
    d.attach(late);
    d.attach(late);  // connected once only
    late->click();
    EXPECT_EQ(rec.list(), (QStringList{"windowinit:root:0", "click:device_add_btn:0"}));
}

TEST(ControlTimers, OneTimerPerControlAndIdSingleShotKillsItself) {
    QWidget root;
    root.setObjectName("root");
    auto* tile = add<QWidget>(&root, "device_select_0");
    Recorder rec;
    NotifyDispatcher d(rec, &root);
    ControlTimers timers(d, nullptr);
    timers.start(&root, 1011, 5, true);
    timers.start(tile, 1011, 5, true);
    timers.start(tile, 1011, 10, true);  // restarts the same timer
    ASSERT_TRUE(test::waitFor([&] { return rec.seen.size() >= 2; }));
    EXPECT_FALSE(timers.isActive(&root, 1011));
    EXPECT_FALSE(timers.isActive(tile, 1011));
    QStringList got = rec.list();
    got.sort();
    EXPECT_EQ(got, (QStringList{"timer:device_select_0:1011", "timer:root:1011"}));

    rec.seen.clear();
    timers.start(tile, 500, 1, false);
    ASSERT_TRUE(test::waitFor([&] { return rec.seen.size() >= 3; }));
    EXPECT_TRUE(timers.isActive(tile, 500));
    timers.kill(tile, 500);
    EXPECT_FALSE(timers.isActive(tile, 500));
}

}  // namespace md
