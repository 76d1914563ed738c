#include <gtest/gtest.h>

#include <QImage>

#include "controls/chart_view_ui.h"
#include "gui_test_support.h"

namespace md {

TEST(ControlsChartView, AttributesAreParsed) {
    CChartViewUI chart;
    EXPECT_EQ(chart.view(), CChartViewUI::Pie);
    EXPECT_TRUE(chart.showText());
    EXPECT_EQ(chart.fontId(), -1);
    chart.setProperty("view", "histpgram");
    chart.setAttribute("ShadowImage", "common/dot.svg");
    chart.setAttribute("shadowimageheight", "12");
    chart.setAttribute("pillarimage", "file='common/dot.svg'");
    chart.setAttribute("pillarimagewidth", "8");
    chart.setAttribute("showhtml", "true");
    chart.setAttribute("showtext", "yes");
    chart.setAttribute("font", "3");
    EXPECT_EQ(chart.view(), CChartViewUI::Histogram);
    EXPECT_EQ(chart.shadowImage(), "common/dot.svg");
    EXPECT_EQ(chart.shadowImageHeight(), 12);
    EXPECT_EQ(chart.pillarImage(), "file='common/dot.svg'");
    EXPECT_EQ(chart.pillarImageWidth(), 8);
    EXPECT_TRUE(chart.showHtml());
    EXPECT_FALSE(chart.showText());
    EXPECT_EQ(chart.fontId(), 3);
    chart.setAttribute("view", "bars");
    EXPECT_EQ(chart.view(), CChartViewUI::Histogram);
    chart.setAttribute("view", "pie");
    EXPECT_EQ(chart.view(), CChartViewUI::Pie);
}

TEST(ControlsChartView, ShadowStripSitsAboveTheTextLine) {
    CChartViewUI chart;
    chart.resize(100, 80);
    chart.setAttribute("shadowimageheight", "10");
    EXPECT_EQ(chart.shadowRect(), QRect(0, 45, 100, 10));
    chart.setAttribute("showtext", "false");
    EXPECT_EQ(chart.shadowRect(), QRect(0, 70, 100, 10));
}

TEST(ControlsChartView, HistogramDrawsTheShadowPieDoesNot) {
    test::useSourceSkin();
    CChartViewUI chart;
    chart.resize(100, 80);
    chart.setAttribute("shadowimage", "file='power/powered.png'");
    chart.setAttribute("shadowimageheight", "20");
    auto strip = [&] {
        QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        chart.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    EXPECT_EQ(strip().pixelColor(50, 45).alpha(), 0);
    chart.setAttribute("view", "histpgram");
    const QImage drawn = strip();
    EXPECT_GT(drawn.pixelColor(50, 45).alpha(), 0);  // inside the strip (35..55)
    EXPECT_EQ(drawn.pixelColor(50, 20).alpha(), 0);
    EXPECT_EQ(drawn.pixelColor(50, 70).alpha(), 0);
}

TEST(ControlsChartView, ShadowThatCannotBeDrawnIsForgotten) {
    CChartViewUI chart;
    chart.resize(100, 80);
    chart.setAttribute("view", "histpgram");
    chart.setAttribute("shadowimage", "no/such/shadow.png");
    chart.setAttribute("shadowimageheight", "20");
    chart.grab();
    EXPECT_TRUE(chart.shadowImage().isEmpty());
}

}  // namespace md
