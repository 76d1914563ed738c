#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "controls/device_key_button_ui.h"
#include "controls_test_support.h"
#include "gui_test_support.h"

namespace md {
namespace {

QColor centre(QWidget& w) {
    const QImage image = w.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

TEST(ControlsDeviceKeyButton, SetLightDoesNotRepaintKeySetChangeDoes) {
    CDeviceKeyButtonUI key;
    PaintCounter counter;
    key.installEventFilter(&counter);
    key.resize(24, 24);
    key.show();
    ASSERT_TRUE(test::waitFor([&] { return counter.paints > 0; }));  // first paint done
    QCoreApplication::processEvents();
    counter.paints = 0;
    key.setLight(0x00FF00, 90, true);
    key.setKeysetHidden(true);  // unchanged
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    key.setKeysetHidden(false);
    EXPECT_TRUE(test::waitFor([&] { return counter.paints > 0; }));
}

TEST(ControlsDeviceKeyButton, StartsUnlitUnmarkedWithTheKeySetMarkHidden) {
    CDeviceKeyButtonUI key;
    EXPECT_EQ(key.property("controlClass").toString(), "DeviceKeyButton");
    EXPECT_EQ(key.lightColour(), 255u);
    EXPECT_EQ(key.lightAlpha(), 200u);
    EXPECT_FALSE(key.isLightOn());
    EXPECT_TRUE(key.isKeysetHidden());
    EXPECT_FALSE(key.isMarked());
    EXPECT_TRUE(key.lightImage().isEmpty());
    EXPECT_TRUE(key.keysetImage().isEmpty());
}

TEST(ControlsDeviceKeyButton, AttributesFromLayoutAndCode) {
    CDeviceKeyButtonUI key;
    key.setProperty("LightImage", "file='common/dot.svg'");
    key.setAttribute("KEYSETIMAGE", "common/info.svg");
    key.setAttribute("somethingelse", "x");
    EXPECT_EQ(key.lightImage(), "file='common/dot.svg'");
    EXPECT_EQ(key.keysetImage(), "common/info.svg");
}

TEST(ControlsDeviceKeyButton, StoresLightMarkAndKeySetState) {
    CDeviceKeyButtonUI key;
    key.setLight(0x00FF00, 90, true);
    EXPECT_EQ(key.lightColour(), 0x00FF00u);
    EXPECT_EQ(key.lightAlpha(), 90u);
    EXPECT_TRUE(key.isLightOn());
    key.setMarked(true);
    EXPECT_TRUE(key.isMarked());
    key.setMarked(false);
    EXPECT_FALSE(key.isMarked());
    key.setKeysetHidden(false);
    EXPECT_FALSE(key.isKeysetHidden());
}

TEST(ControlsDeviceKeyButton, LightImageIsTintedWithTheLedColour) {
    test::useSourceSkin();
    CDeviceKeyButtonUI key;
    key.resize(24, 24);
    key.setAttribute("lightimage", "file='common/dot.svg'");
    const QColor unlit = centre(key);
    key.setLight(0x0000FF, 255, true);  // red in the low byte
    const QColor red = centre(key);
    EXPECT_NE(red, unlit);
    EXPECT_GT(red.red(), 200);
    EXPECT_LT(red.green(), 40);
    EXPECT_LT(red.blue(), 40);
    key.setLight(0xFF0000, 255, true);  // blue
    const QColor blue = centre(key);
    EXPECT_GT(blue.blue(), 200);
    EXPECT_LT(blue.red(), 40);
}

TEST(ControlsDeviceKeyButton, KeySetMarkIsDrawnUnlessHidden) {
    test::useSourceSkin();
    CDeviceKeyButtonUI key;
    key.resize(24, 24);
    key.setAttribute("keysetimage", "common/dot.svg");
    const QImage hidden = key.grab().toImage();
    key.setKeysetHidden(false);
    EXPECT_NE(key.grab().toImage(), hidden);
}

TEST(ControlsDeviceKeyButton, StyleSheetBackgroundStillShows) {
    CDeviceKeyButtonUI key;
    key.resize(20, 20);
    key.setAttribute(Qt::WA_StyledBackground, true);
    key.setStyleSheet("background-color: rgb(0, 255, 0); border: none;");
    EXPECT_EQ(centre(key), QColor(0, 255, 0));
}

TEST(ControlsDeviceKeyButton, DoubleClickWhileEnabledNotifiesDbclick) {
    QWidget root;
    auto* key = new CDeviceKeyButtonUI(&root);
    key->setObjectName("key_3");
    key->resize(20, 20);
    test::NotifyRecorder rec(&root);
    test::sendMouse(key, QEvent::MouseButtonPress, {5, 5});
    test::sendMouse(key, QEvent::MouseButtonRelease, {5, 5});
    test::sendMouse(key, QEvent::MouseButtonDblClick, {5, 5});
    EXPECT_TRUE(key->isDown());
    test::sendMouse(key, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_FALSE(key->isDown());
    EXPECT_EQ(rec.count("dbclick"), 1);

    key->setEnabled(false);
    rec.clear();
    test::sendMouse(key, QEvent::MouseButtonDblClick, {5, 5});
    EXPECT_EQ(rec.count("dbclick"), 0);
}

}  // namespace md
