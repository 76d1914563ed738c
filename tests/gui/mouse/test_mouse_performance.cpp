// The performance page's actions on a model built from its page and attached to the virtual
// mouse: page state, profile file and the mouse's settings block.
#include <json/json.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>
#include <QStackedWidget>
#include <fstream>

#include "common/le_bytes.h"
#include "devices/mouse/mouse_dpi_scale.h"
#include "gui_test_support.h"
#include "input/desktop/desktop_pointer.h"
#include "mouse_model_fixture.h"

namespace md::test {
namespace {

class MousePerformanceTest : public MouseModelTest {
  protected:
    void SetUp() override {
        MouseModelTest::SetUp();
        prepareProfile();
        attach();
        sessions = firmware().sessionsBegun();
    }
    virtual void prepareProfile() {}
    QAbstractButton* button(const QString& name) { return control<QAbstractButton>(name); }
    QSlider* slider(const QString& name) { return control<QSlider>(name); }
    QLineEdit* edit(int i) { return control<QLineEdit>(QString("DPI_edit_%1").arg(i)); }
    bool sent() { return firmware().sessionsBegun() > sessions; }
    uint64_t sessions = 0;
};

// A profile with only its first three stages.
class MouseThreeStagesTest : public MousePerformanceTest {
  protected:
    void prepareProfile() override {
        Json::Value doc;
        {
            std::ifstream in(model->defaultTemplatePath());
            Json::CharReaderBuilder rb;
            std::string errs;
            ASSERT_TRUE(Json::parseFromStream(rb, in, &doc, &errs)) << errs;
        }
        Json::Value& list = doc["Device"][0]["DPIStages"]["StageDPIs"];
        Json::Value kept(Json::arrayValue);
        for (unsigned i = 0; i < 3; ++i) kept.append(list[i]);
        list = kept;
        std::ofstream(model->profileFilePath()) << Json::StyledWriter().write(doc);
    }
};

TEST_P(MousePerformanceTest, StageChecksKeepOneStageEnabled) {
    for (int i : {4, 3, 2}) {
        button(QString("DPI_enable_check_%1").arg(i))->setChecked(false);
        model->onStageEnabled(i);
        EXPECT_FALSE(control(QString("DPI_layout_%1").arg(i))->isEnabled());
    }
    EXPECT_TRUE(sent());
    button("DPI_enable_check_1")->setChecked(false);
    model->onStageEnabled(1);
    EXPECT_FALSE(control("DPI_layout_1")->isEnabled());
    EXPECT_TRUE(button("DPI_enable_check_0")->isChecked());
    EXPECT_FALSE(button("DPI_enable_check_0")->isEnabled());
    auto file = profileFile();
    const uint8_t enabled[] = {1, 0, 0, 0, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(file->dpiStages()[size_t(i)].enabled, enabled[i]) << i;

    button("DPI_enable_check_1")->setChecked(true);
    model->onStageEnabled(1);
    EXPECT_TRUE(control("DPI_layout_1")->isEnabled());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(button(QString("DPI_enable_check_%1").arg(i))->isEnabled()) << i;
    EXPECT_EQ(profileFile()->dpiStages()[1].enabled, 1);
}

TEST_P(MousePerformanceTest, CurrentStageIsSentButNotSaved) {
    button("DPI_model_2")->setChecked(true);
    model->onCurrentStage(2);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(button(QString("DPI_model_%1").arg(i))->isChecked(), i == 2) << i;
        EXPECT_EQ(slider(QString("DPI_slider_%1").arg(i))->property("thumbImage").toString(),
                  i == 2 ? "Control/SliderBar1_Thumb.png" : "Control/SliderBar2_Thumb.png");
    }
    EXPECT_EQ(block(0)[25], 2);
    EXPECT_EQ(profileFile()->getActiveStage(), 1);
    model->saveProfile();
    EXPECT_EQ(profileFile()->getActiveStage(), 2);
}

TEST_P(MousePerformanceTest, SliderReleasedStoresAndSendsTheStage) {
    slider("DPI_slider_0")->setValue(40);
    model->onDpiSliderReleased(0);
    EXPECT_EQ(edit(0)->text(), QString::number(dpiResolutionOfPosition(40)));
    EXPECT_EQ(profileFile()->dpiStages()[0].dpiX, 40);
    const auto b = block(0);
    EXPECT_EQ(b[15], 40);
    EXPECT_EQ(b[16], 0);
    // The lighting speed goes out as it is over the cable and as 4 - speed through the receiver.
    const int speed = model->profileData().readLightInfo().speed;
    EXPECT_EQ(b[3], wireless() ? 4 - speed : speed);
}

TEST_P(MouseThreeStagesTest, SliderBeyondTheStageListLengthensIt) {
    ASSERT_EQ(model->profileData().dpiStages().size(), 3u);
    slider("DPI_slider_4")->setValue(90);
    model->onDpiSliderReleased(4);
    auto file = profileFile();
    ASSERT_EQ(file->dpiStages().size(), 5u);
    EXPECT_EQ(file->dpiStages()[3], DpiStage{});
    EXPECT_EQ(file->dpiStages()[4].dpiX, 90);
    const auto b = block(0);
    EXPECT_EQ((std::vector<uint8_t>{b[21], b[22], b[23], b[24]}),
              (std::vector<uint8_t>{0, 0, 90, 0}));
}

TEST_P(MousePerformanceTest, SliderDraggedOnlyShowsTheResolution) {
    slider("DPI_slider_1")->setValue(60);
    model->onDpiSliderMoved(1);
    EXPECT_EQ(edit(1)->text(), QString::number(dpiResolutionOfPosition(60)));
    EXPECT_EQ(profileFile()->dpiStages()[1].dpiX, getLe16(block(0), 17));  // unchanged
    EXPECT_FALSE(sent());
}

TEST_P(MousePerformanceTest, TypedResolutions) {
    const struct {
        const char* typed;
        int position;
        const char* shown;
    } cases[] = {{"100", 2, "600"},    {"3200", 59, "3200"}, {"7300", 96, "7200"},
                 {"1650", 30, "1700"}, {"", 2, "600"},       {"2400", 48, "2400"}};
    for (const auto& c : cases) {
        edit(2)->setText(c.typed);
        model->onDpiEditLeft(2);
        EXPECT_EQ(edit(2)->text(), c.shown) << c.typed;
        EXPECT_EQ(slider("DPI_slider_2")->value(), c.position) << c.typed;
        EXPECT_EQ(profileFile()->dpiStages()[2].dpiX, c.position) << c.typed;
        EXPECT_EQ(block(0)[19], c.position) << c.typed;
    }
}

TEST_P(MouseThreeStagesTest, TypedResolutionOutsideTheListIsOnlyShown) {
    edit(4)->setText("3200");
    model->onDpiEditLeft(4);
    EXPECT_EQ(slider("DPI_slider_4")->value(), 59);
    EXPECT_EQ(profileFile()->dpiStages().size(), 3u);
    EXPECT_FALSE(sent());
}

TEST_P(MousePerformanceTest, PollingRate) {
    button("polling_rate_option_3")->setChecked(true);
    model->onPollingRate(3);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(button(QString("polling_rate_option_%1").arg(i))->isChecked(), i == 3) << i;
    EXPECT_EQ(profileFile()->mouseStages()[2] >> 16, 3u);
    EXPECT_EQ(block(0)[14], 3);
}

TEST_P(MousePerformanceTest, PollingRateOfAnotherDeviceKindOnlyChangesThePage) {
    DeviceIdentity pad;
    pad.deviceKind = 3;
    model->setIdentity(pad);
    const auto before = profileFile()->mouseStages();
    button("polling_rate_option_4")->setChecked(true);
    model->onPollingRate(4);
    EXPECT_TRUE(button("polling_rate_option_4")->isChecked());
    EXPECT_EQ(profileFile()->mouseStages(), before);
    EXPECT_FALSE(sent());
}

// The desktop as a test sees it: what it was given, and which settings it has.
class RecordingDesktop : public DesktopPointer {
  public:
    explicit RecordingDesktop(PointerSupport s, std::vector<PointerValues>* applied)
        : m_support(s), m_applied(applied) {}
    std::string desktopName() const override { return "test"; }
    PointerSupport support() const override { return m_support; }
    bool apply(const PointerValues& v, std::string&) override {
        m_applied->push_back(v);
        return true;
    }

  private:
    PointerSupport m_support;
    std::vector<PointerValues>* m_applied;
};

TEST_P(MousePerformanceTest, PointerWheelAndDoubleClickReachTheProfileAndTheDesktop) {
    std::vector<PointerValues> applied;
    model->setDesktopPointer(
        std::make_unique<RecordingDesktop>(PointerSupport{true, true, true, true}, &applied));
    const auto check = [&](int word, uint32_t expected, const char* what) {
        EXPECT_EQ(profileFile()->mouseStages()[size_t(word)], expected) << what;
    };
    const auto words = profileFile()->mouseStages();
    slider("pointer_speed_slider")->setValue(15);
    model->onPointerSpeed();
    check(0, 15u << 16 | (words[0] & 0xFFFF), "pointer speed");

    button("pointer_precision_check")->setChecked(false);
    model->onPointerPrecision();
    check(1, words[1] & 0xFFFF0000u, "precision");

    button("scrolls_page_check")->setChecked(true);
    slider("scroll_speed_slider")->setValue(7);
    model->onWheelLines();
    EXPECT_FALSE(button("scrolls_page_check")->isChecked());
    check(1, 0, "scroll page cleared");
    check(2, (words[2] & 0xFFFF0000u) | 7, "wheel lines");

    slider("scroll_speed_slider")->setValue(5);
    button("scrolls_page_check")->setChecked(true);
    model->onScrollByPage();
    check(1, 1u << 16, "scroll page");
    check(2, (words[2] & 0xFFFF0000u) | 5, "wheel lines with page");

    slider("double_click_slider")->setValue(700);
    model->onDoubleClickSpeed();
    check(0, 15u << 16 | 700, "double click");
    EXPECT_FALSE(sent());
    // The desktop got every change but "one page per notch", which it has no setting for.
    ASSERT_EQ(applied.size(), 4u);
    EXPECT_EQ(applied.back().speed, 15);
    EXPECT_FALSE(applied.back().precision);
    EXPECT_EQ(applied.back().wheelLines, 5);  // the lines the profile holds
    EXPECT_EQ(applied.back().doubleClickMs, 700);
}

TEST_P(MousePerformanceTest, SettingsTheDesktopLacksAreDisabledAndSaySo) {
    std::vector<PointerValues> applied;
    model->setDesktopPointer(
        std::make_unique<RecordingDesktop>(PointerSupport{true, true, false, true}, &applied));
    EXPECT_TRUE(slider("pointer_speed_slider")->isEnabled());
    EXPECT_FALSE(slider("scroll_speed_slider")->isEnabled());
    EXPECT_FALSE(slider("scroll_speed_slider")->toolTip().isEmpty());
    EXPECT_FALSE(button("scrolls_page_check")->isEnabled());
    model->setDesktopPointer(std::make_unique<RecordingDesktop>(PointerSupport{}, &applied));
    EXPECT_FALSE(slider("pointer_speed_slider")->isEnabled());
    EXPECT_FALSE(slider("double_click_slider")->isEnabled());
}

TEST_P(MousePerformanceTest, SettingsSubPages) {
    auto* stack = control<QStackedWidget>("mouse_device_seting_layout");
    for (int n : {1, 0}) {
        model->onSettingsPage(n);
        EXPECT_EQ(stack->currentIndex(), n);
        EXPECT_EQ(button("mouse_device_seting_option_0")->isChecked(), n == 0);
        EXPECT_EQ(button("mouse_device_seting_option_1")->isChecked(), n == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Links, MousePerformanceTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });
INSTANTIATE_TEST_SUITE_P(Links, MouseThreeStagesTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

class MouseSwitchedOffTest : public MouseModelTest {};

TEST_P(MouseSwitchedOffTest, NothingIsWrittenAndThePageStays) {
    attach();
    firmware().setPoweredOn(false);
    const auto config = firmware().config();
    const auto keys = firmware().keyTable();
    int messages = 0;
    QObject::connect(model, &COrrivaleUSBDevice::ownerMessage, [&] { ++messages; });

    control<QSlider>("DPI_slider_0")->setValue(50);
    model->onDpiSliderReleased(0);
    EXPECT_EQ(profileFile()->dpiStages()[0].dpiX, 50);  // the profile keeps the change
    model->onCurrentStage(3);
    EXPECT_EQ(model->writeKeyAssignments(0), 0);
    EXPECT_FALSE(model->isReachable());
    model->refreshPowerStatus();
    model->readDeviceSettings();

    EXPECT_EQ(firmware().config(), config);
    EXPECT_EQ(firmware().keyTable(), keys);
    EXPECT_FALSE(powerTile.property("powerStatus").isValid());
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(control<QSlider>("DPI_slider_0")->value(), 50);
    EXPECT_TRUE(control<QAbstractButton>("DPI_model_3")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Receiver, MouseSwitchedOffTest, ::testing::Values(true));

}  // namespace
}  // namespace md::test
