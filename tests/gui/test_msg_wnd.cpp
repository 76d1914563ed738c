#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <string>

#include "app/shell/msg_wnd.h"
#include "common/dbg_out.h"
#include "gui_test_support.h"
#include "ui/resource_manager.h"

namespace md {

class MsgWndTest : public ::testing::Test {
  protected:
    void SetUp() override { test::useSourceSkin(); }
};

TEST_F(MsgWndTest, ResultsForBothButtonSets) {
    struct Case {
        int buttons;
        const char* press;
        int result;
        bool cancelShown;
    };
    const Case cases[] = {
        {0, "confirm_btn", 1, false}, {0, "closebtn", 0, false}, {1, "confirm_btn", 1, true},
        {1, "cancel_btn", 0, true},   {1, "closebtn", 0, true},
    };
    for (const Case& c : cases) {
        bool cancelShown = !c.cancelShown;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<CMsgWnd*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            cancelShown = !box->controls().find("cancel_btn")->isHidden();
            text = box->controls().text("MessageText");
            box->controls().find<QAbstractButton>(c.press)->click();
        });
        EXPECT_EQ(showMessageBox(nullptr, "", "message_text_22", 96, true, c.buttons), c.result)
            << c.buttons << " " << c.press;
        EXPECT_EQ(cancelShown, c.cancelShown) << c.buttons;
        EXPECT_EQ(text, ResourceManager::instance().text("message_text_22"));
    }
}

TEST_F(MsgWndTest, TitleAndPlainText) {
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CMsgWnd*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        title = box->controls().text("MessageTitle");
        text = box->controls().text("MessageText");
        box->reject();  // Escape
    });
    EXPECT_EQ(showMessageBox(nullptr, "Profiles", "plain words", 96, false, 1), 0);
    EXPECT_EQ(title, "Profiles");
    EXPECT_EQ(text, "plain words");
}

TEST_F(MsgWndTest, UiScaleCheck) {
    std::vector<std::string> lines;
    setDbgSink([&](std::string_view l) { lines.emplace_back(l); });
    const std::pair<int, int> cases[] = {{100, 96}, {144, 144}, {48, 48}, {192, 192}, {0, 96}};
    for (auto [given, used] : cases) {
        CMsgWnd box;
        box.setUiScale(given);
        EXPECT_EQ(box.uiScale(), used) << given;
    }
    setDbgSink(nullptr);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MSG_WND DPI SET ERROR"), 2);
}

}  // namespace md
