#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "controls/cloud_share_list_item_ui.h"
#include "controls/combo_edit_container_element_ui.h"
#include "controls_test_support.h"
#include "gui_test_support.h"

namespace md {
namespace {

class ControlsComboEditElement : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        for (int i = 0; i < 3; ++i) {
            auto* row = new CComboEditContainerElementUI(&list);
            row->setObjectName(QString("macro_row_%1").arg(i));
            row->setGeometry(0, i * 30, 260, 30);
            rows.push_back(row);
        }
        rec = std::make_unique<test::NotifyRecorder>(&list);
    }
    std::vector<bool> selection() const {
        std::vector<bool> out;
        for (auto* r : rows) out.push_back(r->isSelected());
        return out;
    }
    void click(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        test::sendMouse(rows[row], QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, mods);
        test::sendMouse(rows[row], QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, mods);
    }

    QWidget list;
    std::vector<CComboEditContainerElementUI*> rows;
    std::unique_ptr<test::NotifyRecorder> rec;
};

TEST_F(ControlsComboEditElement, ContentComesFromItsLayout) {
    auto* row = rows[0];
    ASSERT_NE(row->text1(), nullptr);
    ASSERT_NE(row->text2(), nullptr);
    ASSERT_NE(row->delayEdit(), nullptr);
    EXPECT_EQ(row->text1()->objectName(), "text1");
    EXPECT_EQ(row->delayEdit()->objectName(), "delay_edit");
    EXPECT_EQ(row->getInterface("ComboEditContainerElement"), row);
    EXPECT_EQ(row->getInterface("ListContainerElement"), nullptr);
    EXPECT_EQ(row->property("controlClass").toString(), "ComboEditContainerElement");
}

TEST_F(ControlsComboEditElement, ClickSelectsOneRowCtrlTogglesMore) {
    click(1);
    EXPECT_EQ(selection(), (std::vector<bool>{false, true, false}));
    click(2, Qt::ControlModifier);
    EXPECT_EQ(selection(), (std::vector<bool>{false, true, true}));
    click(1, Qt::ControlModifier);
    EXPECT_EQ(selection(), (std::vector<bool>{false, false, true}));
    click(0);
    EXPECT_EQ(selection(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(rec->count("itemclick"), 4);
    EXPECT_EQ(rec->count("itemselect"), 4);
}

TEST_F(ControlsComboEditElement, DoubleClickAndReturnActivate) {
    test::sendMouse(rows[0], QEvent::MouseButtonDblClick, {5, 5});
    QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(rows[1], &ret);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(rows[1], &other);
    EXPECT_EQ(rec->list(), (QStringList{"itemactivate:macro_row_0", "itemactivate:macro_row_1",
                                        "return:macro_row_1"}));
}

TEST_F(ControlsComboEditElement, HotWhilePointerIsOver) {
    test::sendEnter(rows[2]);
    EXPECT_TRUE(rows[2]->isHot());
    test::sendLeave(rows[2]);
    EXPECT_FALSE(rows[2]->isHot());
}

TEST_F(ControlsComboEditElement, MouseDisabledRowLeavesEventsToTheList) {
    rows[0]->setMouseEnabled(false);
    click(0);
    EXPECT_FALSE(rows[0]->isSelected());
    EXPECT_EQ(rec->count("itemclick"), 0);
}

TEST_F(ControlsComboEditElement, StateImagesAreIgnoredMenuSwitches) {
    rows[0]->setProperty("normalimage", "file='x.png'");
    rows[0]->setProperty("menu", "true");
    EXPECT_TRUE(rows[0]->isContextMenuEnabled());
    EXPECT_EQ(rows[0]->contextMenuPolicy(), Qt::DefaultContextMenu);
    rows[0]->setAttribute("menu", "false");
    EXPECT_EQ(rows[0]->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST(ControlsCloudShareItem, HotFrameOnlyWhenHotAndNotSelected) {
    QWidget list;
    list.setStyleSheet("background: #11151D;");
    auto* item = new CCloudShareListItemUI(&list);
    item->setObjectName("share_0");
    item->setGeometry(0, 0, 120, 30);
    item->setAttribute("hotbordercolor", "#FFFF0000");
    const QColor red(255, 0, 0);
    auto edge = [&] { return item->grab().toImage().pixelColor(60, 0); };
    EXPECT_NE(edge(), red);
    test::sendEnter(item);
    EXPECT_EQ(edge(), red);
    item->setSelected(true);
    EXPECT_NE(edge(), red);
    test::sendLeave(item);
    item->setSelected(false);
    EXPECT_NE(edge(), red);
}

TEST(ControlsCloudShareItem, ActivationNotifiesItemActivate) {
    QWidget list;
    auto* item = new CCloudShareListItemUI(&list);
    item->setObjectName("share_0");
    test::NotifyRecorder rec(&list);
    EXPECT_TRUE(item->activate());
    test::sendMouse(item, QEvent::MouseButtonDblClick, {2, 2});
    item->setEnabled(false);
    EXPECT_FALSE(item->activate());
    EXPECT_EQ(rec.list(), (QStringList{"itemactivate:share_0", "itemactivate:share_0"}));
}

}  // namespace
}  // namespace md
