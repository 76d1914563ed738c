#include <gtest/gtest.h>

#include <QImage>

#include "controls/color_palette_ui.h"
#include "controls_test_support.h"

namespace md {
namespace {

bool near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class ControlsColorPalette : public ::testing::Test {
  protected:
    void SetUp() override {
        palette = new CColorPaletteUI(&root);
        palette->setObjectName("deng_Color_Pallet");
        palette->setGeometry(0, 0, 241, 160);
        rec = std::make_unique<test::NotifyRecorder>(&root);
    }
    QWidget root;
    CColorPaletteUI* palette = nullptr;
    std::unique_ptr<test::NotifyRecorder> rec;
};

TEST_F(ControlsColorPalette, ClickPicksTheColourUnderThePointer) {
    const QImage field = palette->grab().toImage();
    for (const QPoint p : {QPoint(20, 10), QPoint(120, 60), QPoint(200, 100), QPoint(80, 130)}) {
        SCOPED_TRACE(testing::Message() << p.x() << "," << p.y());
        rec->clear();
        const QColor expected = palette->colourAt(p);
        test::sendMouse(palette, QEvent::MouseButtonPress, p);
        test::sendMouse(palette, QEvent::MouseButtonRelease, p);
        EXPECT_EQ(palette->colour(), expected);
        EXPECT_TRUE(near(field.pixelColor(p), expected, 8))
            << field.pixelColor(p).name().toStdString() << " vs " << expected.name().toStdString();
        ASSERT_EQ(rec->count("colorchanged"), 1);
        EXPECT_EQ(rec->seen[0].wParam, expected.rgb() & 0xFFFFFFu);
    }
}

TEST_F(ControlsColorPalette, PickingTheSameColourAgainSendsNothing) {
    test::sendMouse(palette, QEvent::MouseButtonPress, {60, 30});
    test::sendMouse(palette, QEvent::MouseButtonRelease, {60, 30});
    rec->clear();
    test::sendMouse(palette, QEvent::MouseButtonPress, {60, 30});
    test::sendMouse(palette, QEvent::MouseButtonRelease, {60, 30});
    EXPECT_TRUE(rec->seen.empty());
}

TEST_F(ControlsColorPalette, BrightnessStripKeepsHueAndSaturation) {
    palette->setColour(QColor(255, 0, 0));
    const QRect strip = palette->stripRect();
    test::sendMouse(palette, QEvent::MouseButtonPress, {strip.left(), strip.center().y()});
    EXPECT_EQ(palette->colour(), QColor(0, 0, 0));
    test::sendMouse(palette, QEvent::MouseMove, {strip.right(), strip.center().y()});
    test::sendMouse(palette, QEvent::MouseButtonRelease, {strip.right(), strip.center().y()});
    EXPECT_EQ(palette->colour(), QColor(255, 0, 0));  // the hue survived black
    EXPECT_EQ(rec->count("colorchanged"), 2);
}

TEST_F(ControlsColorPalette, SetColourDoesNotNotify) {
    palette->setColour(QColor(10, 200, 30));
    EXPECT_EQ(palette->colour(), QColor(10, 200, 30));
    EXPECT_TRUE(rec->seen.empty());
}

}  // namespace
}  // namespace md
