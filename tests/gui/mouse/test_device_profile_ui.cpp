// The profile panel over the device's profile list: start, selection and the page tabs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "panels/device_profile_ui.h"
#include "gui_test_support.h"
#include "profiles/app_paths.h"

namespace md::test {
namespace {

struct Panel {
    Panel() {
        combo = new QComboBox(&ui);
        combo->setObjectName("device_profile_combo");
        edit = new QLineEdit(&ui);
        edit->setObjectName("device_profile_name_edit");
        for (const char* name : CDeviceProfileUI::tabNames()) {
            auto* b = new QPushButton(&ui);
            b->setObjectName(name);
            b->setCheckable(true);
            tabs.push_back(b);
        }
        ui.show();
    }
    CDeviceProfileUI ui;
    QComboBox* combo;
    QLineEdit* edit;
    std::vector<QPushButton*> tabs;
};

TEST(DeviceProfileUI, StartsWithOneProfileAndSelectsIt) {
    const std::string folder = freshFolder("profile_ui").toStdString();
    Panel p;
    p.ui.setDeviceKind(2);
    p.ui.setFolders(folder, AppPaths::defaultTemplatePath("mouse"));
    p.ui.start();
    ASSERT_EQ(p.combo->count(), 1);
    EXPECT_EQ(p.combo->itemText(0), "profile1");
    EXPECT_EQ(p.edit->text(), "profile1");
    EXPECT_EQ(p.ui.currentSelection(), 0);
    EXPECT_FALSE(p.ui.currentProfileUuid().empty());
    EXPECT_TRUE(
        QFile::exists(QString::fromStdString(folder + p.ui.currentProfileUuid() + ".Json")));

    // A second panel over the same folder sees the stored selection.
    ASSERT_TRUE(p.ui.profileList().addProfile());
    Panel q;
    q.ui.setDeviceKind(2);
    q.ui.setFolders(folder, AppPaths::defaultTemplatePath("mouse"));
    q.ui.start();
    EXPECT_EQ(q.combo->count(), 2);
    EXPECT_EQ(q.ui.currentSelection(), 1);
    EXPECT_EQ(q.edit->text(), "profile2");
    q.ui.selectProfile(0, false);
    EXPECT_EQ(q.ui.currentProfileUuid(), p.ui.currentProfileUuid());
}

TEST(DeviceProfileUI, TabsByDeviceKind) {
    const struct {
        int kind;
        std::vector<bool> visible;
    } cases[] = {{2, {1, 1, 1, 1, 1, 1, 1, 1}},
                 {1, {1, 1, 1, 1, 0, 1, 1, 1}},
                 {3, {1, 0, 0, 0, 0, 1, 1, 1}},
                 {7, {1, 0, 0, 0, 0, 1, 1, 1}}};
    for (const auto& c : cases) {
        Panel p;
        p.ui.setDeviceKind(c.kind);
        p.ui.setFolders(freshFolder("tabs").toStdString(), AppPaths::defaultTemplatePath("mouse"));
        p.ui.start();
        for (size_t i = 0; i < p.tabs.size(); ++i)
            EXPECT_EQ(p.tabs[i]->isVisible(), c.visible[i]) << c.kind << " tab " << i;
    }
}

TEST(DeviceProfileUI, SelectTabMarksExactlyOne) {
    Panel p;
    for (int n : {1, 5, 8, 0, 9}) {
        p.ui.selectTab(n);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(p.tabs[size_t(i)]->isChecked(), i + 1 == n) << n;
    }
    delete p.tabs[3];  // with a tab missing nothing changes
    p.tabs[0]->setChecked(true);
    p.ui.selectTab(2);
    EXPECT_TRUE(p.tabs[0]->isChecked());
}

}  // namespace
}  // namespace md::test
