#include <gtest/gtest.h>

#include <QComboBox>
#include <QSlider>

#include "ui/control_finder.h"

namespace md {

TEST(ControlFinder, MissingControlsAnswerNeutralValues) {
    QWidget root;
    ControlFinder f(&root);
    EXPECT_EQ(f.find("nothing"), nullptr);
    EXPECT_EQ(f.value("nothing"), 0);
    EXPECT_EQ(f.currentIndex("nothing"), -1);
    EXPECT_FALSE(f.isChecked("nothing"));
    EXPECT_EQ(f.text("nothing"), QString());
    EXPECT_EQ(f.color("nothing"), QColor(0, 0, 0, 255));
    EXPECT_FALSE(f.setTextId("nothing", "x"));
    EXPECT_EQ(f.queryText("x"), QString());  // no "text_test" label
}

TEST(ControlFinder, FindsByNameAndForgetsDestroyedControls) {
    QWidget root;
    auto* slider = new QSlider(&root);
    slider->setObjectName("DPI_slider_2");
    slider->setRange(0, 100);
    slider->setValue(40);
    auto* combo = new QComboBox(&root);
    combo->setObjectName("device_profile_combo");
    combo->addItems({"a", "b"});
    combo->setCurrentIndex(1);
    ControlFinder f(&root);
    EXPECT_EQ(f.find<QSlider>("DPI_slider_2"), slider);
    EXPECT_EQ(f.value("DPI_slider_2"), 40);
    EXPECT_EQ(f.currentIndex("device_profile_combo"), 1);
    EXPECT_EQ(f.text("device_profile_combo"), "b");
    delete slider;
    EXPECT_EQ(f.find("DPI_slider_2"), nullptr);  // the cache does not keep a dead pointer
    EXPECT_EQ(f.value("DPI_slider_2"), 0);
}

}  // namespace md
