#include <gtest/gtest.h>

#include <QPushButton>

#include "controls/device_key_button_ui.h"
#include "controls/select_panel_ui.h"
#include "controls_test_support.h"

namespace md {
namespace {

class ControlsSelectPanel : public ::testing::Test {
  protected:
    void SetUp() override {
        root.resize(240, 140);
        panel = new CSelectPanelUI(&root);
        panel->setObjectName("SelectPanel");
        panel->setGeometry(0, 0, 200, 100);
        keys = {key("key_0", {10, 10, 20, 20}), key("key_1", {60, 10, 20, 20}),
                key("key_2", {150, 60, 20, 20})};
        // A layout-built key that is still a placeholder carries only its class name.
        declared = new QWidget(panel);
        declared->setObjectName("light_0");
        declared->setProperty("controlClass", "DeviceKeyButton");
        declared->setGeometry(100, 10, 10, 30);
        other = new QPushButton(panel);
        other->setObjectName("not_a_key");
        other->setGeometry(10, 60, 20, 20);
        auto* box = new QWidget(panel);
        box->setGeometry(0, 0, 200, 100);
        box->lower();
        nested = new CDeviceKeyButtonUI(box);
        nested->setObjectName("nested_key");
        nested->setGeometry(40, 40, 10, 10);
        rec = std::make_unique<test::NotifyRecorder>(&root);
    }
    CDeviceKeyButtonUI* key(const char* name, QRect geometry) {
        auto* k = new CDeviceKeyButtonUI(panel);
        k->setObjectName(name);
        k->setGeometry(geometry);
        return k;
    }
    std::vector<bool> marks() const {
        std::vector<bool> out;
        for (auto* k : keys) out.push_back(k->isMarked());
        out.push_back(declared->property("marked").toBool());
        return out;
    }

    QWidget root;
    CSelectPanelUI* panel = nullptr;
    std::vector<CDeviceKeyButtonUI*> keys;
    QWidget* declared = nullptr;
    QPushButton* other = nullptr;
    CDeviceKeyButtonUI* nested = nullptr;
    std::unique_ptr<test::NotifyRecorder> rec;
};

TEST_F(ControlsSelectPanel, DragMarksExactlyTheKeysItCovers) {
    struct Case {
        QPoint from, to;
        std::vector<bool> marks;
    };
    const Case cases[] = {
        {{5, 5}, {90, 40}, {true, true, false, false}},
        {{195, 95}, {65, 25}, {false, true, true, true}},   // dragged up and left
        {{31, 0}, {59, 99}, {false, false, false, false}},  // between two keys
        {{29, 29}, {31, 31}, {true, false, false, false}},  // touches key_0's last pixel
        {{0, 0}, {199, 99}, {true, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y());
        rec->clear();
        test::drag(panel, c.from, c.to);
        EXPECT_EQ(marks(), c.marks);
        EXPECT_EQ(rec->list(), QStringList{"click_select_end:SelectPanel"});
        EXPECT_FALSE(panel->isPressed());
        EXPECT_FALSE(panel->isDragging());
    }
    EXPECT_FALSE(nested->isMarked());
    EXPECT_FALSE(other->property("marked").isValid());
}

TEST_F(ControlsSelectPanel, ClickWithoutMovingChangesNothing) {
    test::drag(panel, {5, 5}, {90, 40});
    rec->clear();
    test::sendMouse(panel, QEvent::MouseButtonPress, {120, 80});
    EXPECT_TRUE(panel->isPressed());
    test::sendMouse(panel, QEvent::MouseButtonRelease, {120, 80});
    EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, false}));
    EXPECT_TRUE(rec->seen.empty());
}

TEST_F(ControlsSelectPanel, DragAlongALineUnmarksEveryKey) {
    test::drag(panel, {0, 0}, {199, 99});
    rec->clear();
    test::drag(panel, {0, 20}, {199, 20});
    EXPECT_TRUE(panel->selectionRect().isEmpty());
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(rec->count("click_select_end"), 1);
}

TEST_F(ControlsSelectPanel, SelectionRectangleFollowsThePointer) {
    test::sendMouse(panel, QEvent::MouseButtonPress, {50, 60});
    test::sendMouse(panel, QEvent::MouseMove, {20, 90});
    EXPECT_TRUE(panel->isDragging());
    EXPECT_EQ(panel->selectionRect(), QRect(20, 60, 30, 30));
    test::sendMouse(panel, QEvent::MouseMove, {80, 10});
    EXPECT_EQ(panel->selectionRect(), QRect(50, 10, 30, 50));
    test::sendMouse(panel, QEvent::MouseButtonRelease, {80, 10});
}

TEST_F(ControlsSelectPanel, DisabledPanelDoesNotSelect) {
    panel->setEnabled(false);
    test::drag(panel, {0, 0}, {199, 99});
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(rec->seen.empty());
}

}  // namespace
}  // namespace md
