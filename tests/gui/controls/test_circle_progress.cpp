#include <gtest/gtest.h>

#include <QImage>

#include "controls/circle_progress_ui.h"

namespace md {

TEST(ControlsCircleProgress, SweepIsTheTruncatedShareOfTheRange) {
    struct Case {
        int value, min, max, degrees;
    };
    const Case cases[] = {
        {25, 0, 100, 90},
        {100, 0, 100, 360},
        {0, 0, 100, 0},
        {33, 0, 100, 118},
        {1, 0, 7, 51},
        {50, 50, 50, 0},
        {0, 0, 0, 0},
        // A range not starting at 0 is measured from its minimum; values outside it are held
        // at its ends; a reversed range draws nothing.
        {60, 20, 120, 144},
        {150, 0, 100, 360},
        {-5, 0, 100, 0},
        {5, 10, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(circleSweepDegrees(c.value, c.min, c.max), c.degrees)
            << c.value << " in " << c.min << ".." << c.max;
}

TEST(ControlsCircleProgress, QuarterRingRunsClockwiseFromTheBottom) {
    CCircleProgressUI ring;
    ring.setAttribute("BkColor", "#FF102030");
    ring.setProperty("forecolor", "#FFFF8000");
    ring.setRange(0, 100);
    ring.setValue(25);
    ring.resize(100, 100);
    const QImage image = ring.grab().toImage();
    const QColor back(0x10, 0x20, 0x30), fore(0xFF, 0x80, 0x00);
    // The ring lies between radius 40 and 50 around (50, 50); 90 degrees clockwise from the
    // bottom covers the lower left quarter only.
    EXPECT_EQ(image.pixelColor(18, 82), fore);  // lower left
    EXPECT_EQ(image.pixelColor(82, 82), back);  // lower right
    EXPECT_EQ(image.pixelColor(18, 18), back);  // upper left
    EXPECT_EQ(image.pixelColor(82, 18), back);  // upper right
    EXPECT_EQ(image.pixelColor(6, 56), fore);   // just below the left end of the quarter
    EXPECT_EQ(image.pixelColor(6, 44), back);   // just above it
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));
}

TEST(ControlsCircleProgress, EmptyRangeDrawsNoSweep) {
    CCircleProgressUI ring;
    ring.setRange(0, 0);
    ring.resize(60, 60);
    const QImage image = ring.grab().toImage();
    EXPECT_EQ(image.pixelColor(6, 30), ring.backgroundColour());
    EXPECT_EQ(image.pixelColor(30, 54), ring.backgroundColour());
}

TEST(ControlsCircleProgress, InvalidColourIsIgnored) {
    CCircleProgressUI ring;
    const QColor before = ring.foregroundColour();
    ring.setAttribute("forecolor", "not a colour");
    EXPECT_EQ(ring.foregroundColour(), before);
    EXPECT_EQ(ring.property("controlClass").toString(), "CircleProgress");
}

}  // namespace md
