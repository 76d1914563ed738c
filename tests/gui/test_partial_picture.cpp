#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "ui/partial_picture.h"

namespace md {
namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
  public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++count;
        return false;
    }
};

// A window with a styled panel, a picture on it and a small lamp over the picture: the shape of
// a device page's preview.
struct PreviewFixture {
    QWidget window;
    QWidget* panel;
    QLabel* picture;
    QWidget* lamp;

    PreviewFixture() {
        window.resize(240, 200);
        window.setStyleSheet(
            "QWidget#panel { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #203040,"
            " stop:1 #405060); border-radius: 12px; }"
            "QWidget#lamp { background: #ff8000; }");
        panel = new QWidget(&window);
        panel->setObjectName("panel");
        panel->setAttribute(Qt::WA_StyledBackground);
        panel->setGeometry(10, 10, 220, 180);
        picture = new QLabel(panel);
        QPixmap art(100, 120);
        art.fill(Qt::transparent);
        {
            QPainter p(&art);
            p.setBrush(Qt::gray);
            p.drawEllipse(10, 10, 80, 100);
        }
        picture->setPixmap(art);
        picture->setGeometry(30, 20, 160, 150);
        paintPictureInParts(picture);
        lamp = new QWidget(panel);
        lamp->setObjectName("lamp");
        lamp->setAttribute(Qt::WA_StyledBackground);
        lamp->setGeometry(100, 60, 10, 30);
    }
    QImage shot() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

// Waits (events running) until the picture took its backdrop.
bool waitForBackdrop(QWidget* picture) {
    QElapsedTimer t;
    t.start();
    while (!picture->testAttribute(Qt::WA_OpaquePaintEvent) && t.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return picture->testAttribute(Qt::WA_OpaquePaintEvent);
}

// The largest difference of one colour channel between two pictures of one size (255 when the
// sizes differ).
int maxDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 255;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}
// A gradient drawn for part of a panel may round a step differently from the whole panel.
constexpr int kGradientSlack = 2;

}  // namespace

TEST(PartialPicture, BackdropLooksTheSameAndStopsLampRepaintsAtThePicture) {
    PreviewFixture plain;
    plain.window.show();
    const QImage expected = plain.shot();

    PreviewFixture f;
    paintOverBackdrop(f.picture);
    f.window.show();
    ASSERT_TRUE(waitForBackdrop(f.picture));
    EXPECT_LE(maxDifference(f.shot(), expected), kGradientSlack);

    PaintCounter panelPaints, picturePaints;
    f.panel->installEventFilter(&panelPaints);
    f.picture->installEventFilter(&picturePaints);
    f.lamp->repaint();
    EXPECT_EQ(panelPaints.count, 0);
    EXPECT_EQ(picturePaints.count, 1);
}

TEST(PartialPicture, MovedPictureTakesANewBackdrop) {
    PreviewFixture plain;
    plain.picture->move(40, 10);
    plain.window.show();
    const QImage expected = plain.shot();

    PreviewFixture f;
    paintOverBackdrop(f.picture);
    f.window.show();
    ASSERT_TRUE(waitForBackdrop(f.picture));
    // Until the new backdrop is taken the picture is painted over its panel as usual.
    f.picture->move(40, 10);
    EXPECT_FALSE(f.picture->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_LE(maxDifference(f.shot(), expected), kGradientSlack);
    ASSERT_TRUE(waitForBackdrop(f.picture));
    EXPECT_LE(maxDifference(f.shot(), expected), kGradientSlack);
}

}  // namespace md
