#include "controls/mp_device_power_ui.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <array>

#include "common/device_kind.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"
#include "ui/skin_image.h"

namespace md {
namespace {

constexpr const char* kBackgroundProperty = "bkimage";

// Stores the description on the child and shows its image when the child is a label.
void setBackground(QWidget* child, const QString& description) {
    child->setProperty(kBackgroundProperty, description);
    auto* label = qobject_cast<QLabel*>(child);
    if (!label) return;
    const QString file = description.section(QLatin1Char('\''), 1, 1);
    const QSize size = label->minimumSize().isEmpty() ? label->size() : label->minimumSize();
    // Rendered at twice the size so that vector images stay sharp on dense screens.
    QPixmap pixmap = QPixmap::fromImage(loadSkinImage(file, size * 2));
    pixmap.setDevicePixelRatio(2.0);
    label->setPixmap(pixmap);
}

void setTip(QWidget* child, const QString& textId) {
    child->setProperty("tipId", textId);
    ResourceManager::instance().applyTexts(child);
}

}  // namespace

CMpDevicePowerUI::CMpDevicePowerUI(QWidget* parent) : QFrame(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

CMpDevicePowerUI* CMpDevicePowerUI::build(QWidget* parent) {
    LayoutBuilder builder;
    QWidget* root = builder.build(QString::fromLatin1(kLayoutFile), parent);
    auto* tile = qobject_cast<CMpDevicePowerUI*>(root);
    if (!tile) delete root;
    return tile;
}

void CMpDevicePowerUI::setKindRole(uint32_t kind, uint32_t role) {
    m_kind = kind;
    m_role = role;
}

bool CMpDevicePowerUI::lookUpChildren() {
    auto find = [this](auto& slot, const char* name) {
        using T = std::remove_pointer_t<decltype(slot.data())>;
        if (!slot) slot = findChild<T*>(QString::fromLatin1(name));
        return !slot.isNull();
    };
    const bool value = find(m_value, "device_power_value");
    const bool logo = find(m_wirelessLogo, "device_wuxian_logo");
    const bool progress = find(m_progress, "device_Power_progress");
    const bool status = find(m_status, "device_power_status");
    const bool phone = find(m_phoneType, "device_phone_type");
    return value && logo && progress && status && phone;
}

void CMpDevicePowerUI::showPowerLayout(bool on) {
    if (!m_powerLayout) m_powerLayout = findChild<QWidget*>(QStringLiteral("device_power_Layout"));
    if (m_powerLayout) m_powerLayout->setVisible(on);
}

void CMpDevicePowerUI::showPowerStatus(std::span<const uint8_t> block) {
    std::array<uint8_t, kBlockSize> b{};
    std::copy_n(block.begin(), std::min(block.size(), b.size()), b.begin());
    if (!lookUpChildren()) return;

    const int level = b[0];
    m_progress->setValue(std::clamp(100 - level, m_progress->minimum(), m_progress->maximum()));
    m_value->setText(QString::asprintf("%d%s", level, "%"));
    // The mousepad has no battery: its tile shows the charger's state and the phone only.
    m_value->setVisible(m_kind != kind::kMousePad);

    const bool wireless = b[3] != 0;
    if (m_kind == kind::kMouseWired) m_wirelessLogo->setVisible(wireless);

    switch (b[1]) {
        case 0:
            m_progress->setVisible(m_kind != kind::kMousePad);
            setBackground(m_status, QStringLiteral("file='power/powered.png'"));
            break;
        case 1:
            m_progress->setVisible(!wireless && m_kind != kind::kMousePad);
            setBackground(m_status, wireless ? QStringLiteral("file='power/wuxian_powering.png'")
                                             : QStringLiteral("file='power/powering.png'"));
            break;
        case 2:
            m_progress->setVisible(m_kind != kind::kMousePad);
            setBackground(m_status, QStringLiteral("file='power/power.png'"));
            break;
        default:
            break;
    }

    if (m_kind == kind::kMousePad) {
        static const char* const kPhones[] = {"Phone_type_no_device", "Phone_type_iphone",
                                              "Phone_type_samsung", "Phone_type_other"};
        const char* phone = b[5] >= 1 && b[5] <= 3 ? kPhones[b[5]] : kPhones[0];
        setTip(m_phoneType, QString::fromLatin1(phone));
        setBackground(m_phoneType, QStringLiteral("file='power/%1.png'").arg(phone));
    }
}

bool CMpDevicePowerUI::activate() {
    if (isHidden() || !isEnabled()) return false;
    NotifyDispatcher::emitFrom(this, QStringLiteral("selectchanged"));
    return true;
}

QString CMpDevicePowerUI::backgroundOf(const QWidget* child) {
    return child ? child->property(kBackgroundProperty).toString() : QString();
}

}  // namespace md
