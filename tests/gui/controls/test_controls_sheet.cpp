// Renders the custom controls offscreen into one sheet on the dark skin when
// MD_SCREENSHOT_DIR is set (docs/screenshots/controls_sheet.png).
#include <gtest/gtest.h>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/chart_view_ui.h"
#include "controls/circle_progress_ui.h"
#include "controls/cloud_share_list_item_ui.h"
#include "controls/color_palette_ui.h"
#include "controls/combo_edit_container_element_ui.h"
#include "controls/device_key_button_ui.h"
#include "controls/hand_img_button_ui.h"
#include "controls/hand_img_select_button_ui.h"
#include "controls/mp_device_power_ui.h"
#include "controls/redio_macro_button_ui.h"
#include "controls/select_panel_ui.h"
#include "controls_test_support.h"
#include "gui_test_support.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet("color: #7E899C; font-size: 11px; letter-spacing: 1px;");
    return label;
}

QWidget* powerTile(uint32_t kind, std::vector<uint8_t> block, QWidget* parent) {
    CMpDevicePowerUI* tile = CMpDevicePowerUI::build(parent);
    tile->setKindRole(kind, 0);
    tile->showPowerStatus(block);
    return tile;
}

}  // namespace

TEST(ControlsScreenshot, Sheet) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    test::useSourceSkin();
    ResourceManager::instance().loadLanguage("lan_en.xml");
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());

    QWidget sheet;
    sheet.setObjectName("controls_sheet");
    sheet.setAttribute(Qt::WA_StyledBackground, true);
    sheet.setStyleSheet("#controls_sheet { background: #0E1117; } QLabel { color: #DCE2EC; }");
    auto* grid = new QGridLayout(&sheet);
    grid->setContentsMargins(24, 20, 24, 24);
    grid->setHorizontalSpacing(28);
    grid->setVerticalSpacing(8);

    // Battery tiles.
    auto* power = new QWidget(&sheet);
    auto* powerBox = new QVBoxLayout(power);
    powerBox->setContentsMargins(0, 0, 0, 0);
    powerBox->addWidget(powerTile(2, {85, 1, 0, 1, 0, 0}, power));
    powerBox->addWidget(powerTile(2, {57, 1, 0, 0, 0, 0}, power));
    powerBox->addWidget(powerTile(1, {23, 2, 0, 0, 0, 0}, power));
    powerBox->addWidget(powerTile(3, {100, 0, 0, 0, 0, 1}, power));
    grid->addWidget(caption("BATTERY TILE", &sheet), 0, 0);
    grid->addWidget(power, 1, 0);

    // Progress rings.
    auto* rings = new QWidget(&sheet);
    auto* ringBox = new QHBoxLayout(rings);
    ringBox->setContentsMargins(0, 0, 0, 0);
    for (int v : {25, 70}) {
        auto* ring = new CCircleProgressUI(rings);
        ring->setFixedSize(72, 72);
        ring->setRange(0, 100);
        ring->setValue(v);
        // The second ring as the dark skin draws it: the inner disc in the panel's colour.
        if (v == 70) ring->setAttribute("innercolor", "#14181F");
        ringBox->addWidget(ring);
    }
    grid->addWidget(caption("CIRCLE PROGRESS", &sheet), 0, 1);
    grid->addWidget(rings, 1, 1);

    // Select panel with key buttons: two marked by a drag, one lit, one with its key-set mark.
    auto* panel = new CSelectPanelUI(&sheet);
    panel->setObjectName("sheet_select_panel");
    panel->setFixedSize(200, 110);
    panel->setAttribute(Qt::WA_StyledBackground, true);
    panel->setStyleSheet(
        "#sheet_select_panel { background: rgba(17, 21, 29, 0.78); border: 1px solid "
        "rgba(255, 255, 255, 0.06); border-radius: 12px; }");
    const QColor led[] = {QColor(0x1E, 0x90, 0xFF), QColor(0x3D, 0xD6, 0x8C),
                          QColor(0xFF, 0x4D, 0x6D), QColor(0xFF, 0xC5, 0x3D)};
    for (int i = 0; i < 4; ++i) {
        auto* key = new CDeviceKeyButtonUI(panel);
        key->setObjectName(QString("light_%1").arg(i));
        key->setGeometry(18 + i * 44, 20, 32, 32);
        key->setAttribute("lightimage", "file='common/dot.svg'");
        const QColor c = led[i];
        key->setLight(uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16, 220,
                      true);
        key->setAttribute("keysetimage", "file='common/info.svg' dest='20,0,32,12'");
        key->setKeysetHidden(i != 1);
    }
    test::drag(panel, {10, 10}, {100, 60});
    grid->addWidget(caption("SELECT PANEL / KEY BUTTONS", &sheet), 0, 2);
    grid->addWidget(panel, 1, 2);

    // Buttons.
    auto* buttons = new QWidget(&sheet);
    auto* buttonBox = new QHBoxLayout(buttons);
    buttonBox->setContentsMargins(0, 0, 0, 0);
    auto* hand = new CHandImgButtonUI(buttons);
    hand->setProperty("class", "secondary");
    hand->setFixedSize(64, 40);
    hand->setAttribute("handimage", "file='common/light_on.svg' dest='20,8,44,32'");
    auto* pan = new CHandImgSelectButtonUI(buttons);
    pan->setProperty("class", "secondary");
    pan->setFixedSize(64, 40);
    pan->setAttribute("handimage", "bg/aurora.png");
    auto* record = new CRedioMacroButtonUI(buttons);
    record->setProperty("class", "primary");
    record->setText("Record");
    record->setFixedHeight(32);
    record->setAttribute("redioimage", "macro/record.png");
    for (QWidget* w :
         {static_cast<QWidget*>(hand), static_cast<QWidget*>(pan), static_cast<QWidget*>(record)})
        buttonBox->addWidget(w);
    grid->addWidget(caption("HAND IMAGE / PAN / RECORD", &sheet), 2, 0);
    grid->addWidget(buttons, 3, 0);

    // List rows.
    auto* list = new QWidget(&sheet);
    auto* listBox = new QVBoxLayout(list);
    listBox->setContentsMargins(0, 0, 0, 0);
    listBox->setSpacing(2);
    const char* steps[][3] = {{"A", "press", "50"}, {"A", "release", "120"}, {"B", "press", "35"}};
    std::vector<CComboEditContainerElementUI*> rows;
    for (const auto& s : steps) {
        auto* row = new CComboEditContainerElementUI(list);
        row->setFixedSize(250, 30);
        row->text1()->setText(s[0]);
        row->text2()->setText(s[1]);
        row->delayEdit()->setText(s[2]);
        listBox->addWidget(row);
        rows.push_back(row);
    }
    rows[1]->setSelected(true);
    test::sendEnter(rows[2]);
    auto* share = new CCloudShareListItemUI(list);
    share->setFixedSize(250, 30);
    auto* shareText = new QLabel("  Shared profile", share);
    shareText->setGeometry(0, 0, 250, 30);
    listBox->addWidget(share);
    test::sendEnter(share);
    grid->addWidget(caption("MACRO ROWS / SHARE ROW", &sheet), 2, 1);
    grid->addWidget(list, 3, 1);

    // Colour palette and chart.
    auto* palette = new CColorPaletteUI(&sheet);
    palette->setFixedSize(200, 130);
    palette->setColour(QColor(0x1E, 0x90, 0xFF));
    grid->addWidget(caption("COLOUR PALETTE", &sheet), 2, 2);
    grid->addWidget(palette, 3, 2);

    auto* chart = new CChartViewUI(&sheet);
    chart->setFixedSize(200, 60);
    chart->setAttribute("view", "histpgram");
    chart->setAttribute("shadowimage", "file='common/chart_shadow.svg'");
    chart->setAttribute("shadowimageheight", "16");
    grid->addWidget(caption("CHART VIEW (HISTOGRAM SHADOW)", &sheet), 4, 2);
    grid->addWidget(chart, 5, 2);

    sheet.adjustSize();
    sheet.show();
    test::waitFor([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(sheet.grab().save(dir + "/controls_sheet.png"));
    qApp->setStyleSheet(QString());
}

}  // namespace md
