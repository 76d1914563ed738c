#include "controls/device_option_ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "devices/base_page/orrivale_usb_device.h"
#include "ui/repolish.h"

namespace md {

CDeviceOptionUI::CDeviceOptionUI(QWidget* parent) : QFrame(parent) {
    setObjectName("device_option");
    setProperty("deviceTile", true);
    setMinimumHeight(56);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        "#device_option { background: rgba(255,255,255,0.04); border: 1px solid "
        "rgba(255,255,255,0.08); border-radius: 10px; }"
        "#device_option[selected=\"true\"] { background: rgba(30,144,255,0.14); border: 1px "
        "solid #1E90FF; }"
        "#device_link, #device_battery { color: #9AA4B2; }");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 6, 10, 6);
    row->setSpacing(8);
    m_option = new QRadioButton(this);
    m_option->setObjectName("device_select");
    m_option->setAutoExclusive(false);
    m_option->setCursor(Qt::PointingHandCursor);
    row->addWidget(m_option);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_name = new QLabel(this);
    m_name->setObjectName("device_name");
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    texts->addWidget(m_name);
    auto* line = new QHBoxLayout;
    m_link = new QLabel(this);
    m_link->setObjectName("device_link");
    m_battery = new QLabel(this);
    m_battery->setObjectName("device_battery");
    line->addWidget(m_link);
    line->addStretch(1);
    line->addWidget(m_battery);
    texts->addLayout(line);
    row->addLayout(texts, 1);

    connect(m_option, &QRadioButton::clicked, this, [this](bool checked) {
        if (!checked) {
            m_option->setChecked(true);  // a selected tile stays selected until another is
            return;
        }
        emit selected(this);
    });
    for (QTimer* t : {&m_linkPoll, &m_linkCheck, &m_readAgain}) t->setSingleShot(true);
    connect(&m_linkPoll, &QTimer::timeout, this, &CDeviceOptionUI::onLinkPoll);
    connect(&m_linkCheck, &QTimer::timeout, this, &CDeviceOptionUI::onLinkCheck);
    connect(&m_readAgain, &QTimer::timeout, this, [this] {
        if (m_model && m_model->commandLink().isOpen()) m_model->readDeviceSettings();
    });
}

void CDeviceOptionUI::setModel(COrrivaleUSBDevice* model) {
    m_model = model;
    if (!model) return;
    model->setDeviceTile(this);
}

void CDeviceOptionUI::setNameText(const QString& text) {
    m_name->setText(text);
}

QString CDeviceOptionUI::nameText() const {
    return m_name->text();
}

QString CDeviceOptionUI::linkText() const {
    return m_link->text();
}

QString CDeviceOptionUI::batteryText() const {
    return m_battery->text();
}

void CDeviceOptionUI::showPowerStatus(const PowerStatus& status) {
    QString text = QString("%1%").arg(status[0]);
    if (status[1] == 1) text += QStringLiteral(" ⚡");
    m_battery->setText(text);
    refreshLinkText();
}

void CDeviceOptionUI::refreshLinkText() {
    if (!m_model || !m_model->commandLink().isOpen()) {
        m_link->clear();
        return;
    }
    m_link->setText(m_model->commandLink().isWireless() ? QStringLiteral("2.4G")
                                                        : QStringLiteral("cable"));
}

bool CDeviceOptionUI::isSelected() const {
    return m_option->isChecked();
}

void CDeviceOptionUI::setSelected(bool on, bool notify) {
    m_option->setChecked(on);
    setProperty("selected", on);
    repolish(this);
    if (on && notify) emit selected(this);
}

void CDeviceOptionUI::startLinkPoll(int ms) {
    m_linkPoll.start(ms);
}

void CDeviceOptionUI::startLinkCheck(int ms) {
    if (m_model && m_model->commandLink().isOpen()) m_linkCheck.start(ms);
}

void CDeviceOptionUI::stopTimers() {
    m_linkPoll.stop();
    m_linkCheck.stop();
    m_readAgain.stop();
}

void CDeviceOptionUI::send(intptr_t visible) {
    if (m_sink && m_model)
        m_sink(kVisibilityMessage, static_cast<uintptr_t>(m_model->getTableIndex()), visible);
}

void CDeviceOptionUI::onLinkPoll() {
    if (!m_model) return;
    DeviceLink& link = m_model->commandLink();
    // A closed link means the device went away: the chain ends here.
    if (!link.isOpen()) return;
    if (link.isWireless() && !m_model->isReachable()) {
        if (!isHidden()) {
            setVisible(false);
            send(0);
        }
        m_linkPoll.start(3000);
        return;
    }
    send(1);
    m_model->onDeviceAttached();
    ++m_attachCount;
    refreshLinkText();
    if (m_model->getHasPowerStatus()) m_model->refreshPowerStatus();
    if (link.isWireless()) startLinkCheck(2000);
}

void CDeviceOptionUI::onLinkCheck() {
    if (!m_model) return;
    DeviceLink& link = m_model->commandLink();
    if (!link.isOpen() || !link.isWireless()) return;
    if (m_model->isReachable()) {
        if (isHidden()) {
            send(1);
            if (m_model->getHasPowerStatus()) m_model->refreshPowerStatus();
        }
    } else if (!isHidden()) {
        send(0);
    }
    startLinkCheck(3000);
}

}  // namespace md
