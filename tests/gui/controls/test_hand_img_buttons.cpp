#include <gtest/gtest.h>

#include <QImage>

#include "controls/cursor_names.h"
#include "controls/hand_img_button_ui.h"
#include "controls/hand_img_select_button_ui.h"
#include "controls/image_description.h"
#include "controls_test_support.h"
#include "gui_test_support.h"

namespace md {
namespace {

// A picture of w x h pixels in a fresh folder; the answer is its absolute path.
QString picture(int w, int h) {
    const QString path = test::freshFolder("hand_img") + QString("pic_%1x%2.png").arg(w).arg(h);
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixelColor(x, y, QColor(x % 256, y % 256, 128));
    image.save(path);
    return path;
}

}  // namespace

TEST(ControlsHandImgPan, SourceMovesWithTheDragAndStopsAtTheEdges) {
    struct Case {
        SourceEdges from;
        QPoint d;  // last pointer position - new pointer position
        SourceEdges to;
    };
    const QSize image(200, 100);
    const Case cases[] = {
        // Pointer right by more than the left offset: stops at 0, width kept.
        {{30, 0, 80, 40}, {-50, 0}, {0, 0, 50, 40}},
        {{30, 0, 80, 40}, {-30, 0}, {0, 0, 50, 40}},
        {{30, 0, 80, 40}, {-10, 0}, {20, 0, 70, 40}},
        {{0, 0, 50, 40}, {-10, 0}, {0, 0, 50, 40}},
        {{30, 0, 80, 40}, {15, 0}, {45, 0, 95, 40}},
        // At the right edge a further step right is refused; short of it the step is whole.
        {{150, 0, 200, 40}, {15, 0}, {150, 0, 200, 40}},
        {{140, 0, 190, 40}, {15, 0}, {155, 0, 205, 40}},
        // The same vertically.
        {{0, 20, 50, 60}, {0, -25}, {0, 0, 50, 40}},
        {{0, 60, 50, 100}, {0, 5}, {0, 60, 50, 100}},
        {{0, 10, 50, 50}, {0, 5}, {0, 15, 50, 55}},
        {{30, 20, 80, 60}, {-5, 7}, {25, 27, 75, 67}},
    };
    for (const Case& c : cases) {
        const SourceEdges got = panSource(c.from, image, c.d);
        EXPECT_EQ(got, c.to) << c.from.left << "," << c.from.top << " by " << c.d.x() << ","
                             << c.d.y() << " -> " << got.left << "," << got.top << "," << got.right
                             << "," << got.bottom;
    }
}

TEST(ControlsHandImgSelectButton, LargePictureShowsItsTopLeftCorner) {
    const QString file = picture(200, 100);
    CHandImgSelectButtonUI button;
    button.resize(50, 40);
    button.setProperty("handimage", file);
    EXPECT_EQ(button.handImage(), file);
    EXPECT_EQ(button.imageSize(), QSize(200, 100));
    EXPECT_EQ(button.drawImage(), QString("file='%1' source='0,0,50,40'").arg(file));
    EXPECT_EQ(button.source(), (SourceEdges{0, 0, 50, 40}));
}

TEST(ControlsHandImgSelectButton, SmallPictureIsDrawnWhole) {
    const QString file = picture(30, 20);
    CHandImgSelectButtonUI button;
    button.resize(50, 40);
    button.setAttribute("HandImage", file);
    EXPECT_EQ(button.drawImage(), file);
}

TEST(ControlsHandImgSelectButton, PictureThatDoesNotLoadChangesNothing) {
    const QString file = picture(200, 100);
    CHandImgSelectButtonUI button;
    button.resize(50, 40);
    button.setAttribute("handimage", file);
    button.setAttribute("handimage", "no/such/picture.png");
    EXPECT_EQ(button.handImage(), file);
    EXPECT_EQ(button.imageSize(), QSize(200, 100));
}

TEST(ControlsHandImgSelectButton, DraggingPansThePicture) {
    const QString file = picture(200, 100);
    QWidget root;
    auto* button = new CHandImgSelectButtonUI(&root);
    button->setObjectName("hand_pic");
    button->resize(50, 40);
    button->setAttribute("handimage", file);
    test::NotifyRecorder rec(&root);

    test::sendMouse(button, QEvent::MouseButtonPress, {25, 20});
    EXPECT_TRUE(button->isDown());
    EXPECT_TRUE(button->isDragging());
    test::sendMouse(button, QEvent::MouseMove, {15, 14});  // pointer left and up
    EXPECT_EQ(button->drawImage(), QString("file='%1' source='10,6,60,46'").arg(file));
    test::sendMouse(button, QEvent::MouseMove, {45, 30});  // back right by more than 10
    EXPECT_EQ(button->drawImage(), QString("file='%1' source='0,0,50,40'").arg(file));
    test::sendMouse(button, QEvent::MouseMove, {80, 30});  // outside: no longer pushed
    EXPECT_FALSE(button->isDown());
    test::sendMouse(button, QEvent::MouseButtonRelease, {80, 30});
    EXPECT_FALSE(button->isDragging());
    EXPECT_EQ(rec.count("click"), 0);  // releasing ends the drag, it does not click
}

TEST(ControlsHandImgSelectButton, CursorAttribute) {
    CHandImgSelectButtonUI button;
    button.setAttribute("cursor", "hand");
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    button.setAttribute("cursor", "bogus");
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
}

TEST(ControlsHandImgSelectButton, CursorNames) {
    const std::pair<const char*, Qt::CursorShape> cases[] = {
        {"arrow", Qt::ArrowCursor},        {"IBEAM", Qt::IBeamCursor},
        {"wait", Qt::WaitCursor},          {"cross", Qt::CrossCursor},
        {"uparrow", Qt::UpArrowCursor},    {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},         {"sizenwse", Qt::SizeFDiagCursor},
        {"sizenesw", Qt::SizeBDiagCursor}, {"sizewe", Qt::SizeHorCursor},
        {"sizens", Qt::SizeVerCursor},     {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},       {"hand", Qt::PointingHandCursor},
    };
    for (const auto& [name, shape] : cases) EXPECT_EQ(cursorShapeByName(name), shape) << name;
    EXPECT_FALSE(cursorShapeByName("pointer").has_value());
}

TEST(ControlsHandImgButton, EnterAndLeaveNotifyWhileEnabled) {
    QWidget root;
    auto* button = new CHandImgButtonUI(&root);
    button->setObjectName("hand_btn");
    button->resize(40, 40);
    test::NotifyRecorder rec(&root);
    test::sendEnter(button);
    EXPECT_TRUE(button->isHot());
    test::sendLeave(button);
    EXPECT_FALSE(button->isHot());
    button->setEnabled(false);
    test::sendEnter(button);
    test::sendLeave(button);
    EXPECT_EQ(rec.list(), (QStringList{"msenter:hand_btn", "msleave:hand_btn"}));
}

TEST(ControlsHandImgButton, ClickInsideActivatesOutsideDoesNot) {
    QWidget root;
    auto* button = new CHandImgButtonUI(&root);
    button->setObjectName("hand_btn");
    button->resize(40, 40);
    test::NotifyRecorder rec(&root);
    test::sendMouse(button, QEvent::MouseButtonPress, {10, 10});
    EXPECT_TRUE(button->isDown());
    test::sendMouse(button, QEvent::MouseButtonRelease, {10, 10});
    test::sendMouse(button, QEvent::MouseButtonPress, {10, 10});
    test::sendMouse(button, QEvent::MouseMove, {60, 10});
    EXPECT_FALSE(button->isDown());
    test::sendMouse(button, QEvent::MouseButtonRelease, {60, 10});
    EXPECT_EQ(rec.count("click"), 1);
}

TEST(ControlsHandImgButton, HandImageIsDrawnOverTheButton) {
    const QString file = picture(40, 40);
    CHandImgButtonUI button;
    button.resize(40, 40);
    const QImage plain = button.grab().toImage();
    button.setProperty("handimage", QString("file='%1' dest='10,10,30,30'").arg(file));
    EXPECT_EQ(button.handImage(), QString("file='%1' dest='10,10,30,30'").arg(file));
    const QImage drawn = button.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(2, 20), plain.pixelColor(2, 20));  // outside dest
    EXPECT_NE(drawn.pixelColor(20, 20), plain.pixelColor(20, 20));
}

TEST(ControlsImageDescription, ParsesTheAttributesTheControlsUse) {
    const ImageDescription d = ImageDescription::parse(
        "file='power/powered.png' source='1,2,11,22' dest='0,0,5,5' fade='128' corner='2,2,2,2'");
    EXPECT_EQ(d.file, "power/powered.png");
    EXPECT_EQ(d.source, QRect(1, 2, 10, 20));
    EXPECT_EQ(d.dest, QRect(0, 0, 5, 5));
    EXPECT_EQ(d.fade, 128);
    const ImageDescription plain = ImageDescription::parse("common/dot.svg");
    EXPECT_EQ(plain.file, "common/dot.svg");
    EXPECT_FALSE(plain.source.has_value());
    EXPECT_FALSE(parseEdges("1,2,3").has_value());
}

}  // namespace md
