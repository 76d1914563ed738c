#include "app/shell/update_info_list_item_ui.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <algorithm>
#include <array>

#include "online/update_info.h"
#include "ui/layout_builder.h"
#include "ui/repolish.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

// Text id of the state text, per state 0-8.
constexpr std::array<const char*, 9> kStateTexts = {
    "LessUpdateText", "NeedUpdateText", "NeedUpdateText", "DownloadWaitText", "DownloadIngText",
    "DownloadOkText", "UpdateIngText",  "UpdateOkText",   "UpdateFailText",
};

// The check box's colours: accent while the row has something to do, white and grey otherwise.
constexpr const char* kActiveBoxStyle =
    "QCheckBox { color: #0099FF; } QCheckBox:checked { color: #0099FF; } "
    "QCheckBox:disabled { color: #0078C8; }";
constexpr const char* kIdleBoxStyle =
    "QCheckBox { color: #FFFFFF; } QCheckBox:checked { color: #FFFFFF; } "
    "QCheckBox:disabled { color: #666666; }";

}  // namespace

CUpdateInfoListItemUI::CUpdateInfoListItemUI(QWidget* parent) : ListElementUI(parent) {
    setProperty("controlClass", GetClass());
    setFixedHeight(kHeight);
    LayoutBuilder builder;
    builder.buildInto(QString::fromLatin1(kLayoutFile), this);
    m_check = findChild<QAbstractButton*>(QStringLiteral("check_name_select"));
    m_oldRev = findChild<QLabel*>(QStringLiteral("OldRev"));
    m_updateRev = findChild<QLabel*>(QStringLiteral("updateRev"));
    m_statusText = findChild<QLabel*>(QStringLiteral("update_status_text"));
    m_statusIng = findChild<QProgressBar*>(QStringLiteral("update_status_ing"));
    m_progressValue = findChild<QLabel*>(QStringLiteral("update_progress_value"));
    m_statusOk = findChild<QLabel*>(QStringLiteral("update_status_ok"));
    setContextMenuEnabled(true);
    setProgress(0);
    setState(update_row::kUpdated);
}

void CUpdateInfoListItemUI::setState(int state) {
    if (state == m_state || state < 0 || state >= static_cast<int>(kStateTexts.size())) return;
    m_state = state;
    applyState();
}

void CUpdateInfoListItemUI::applyState() {
    const int s = m_state;
    const bool progress = s == update_row::kDownloading || s == update_row::kUpdating;
    const bool canTick = s == update_row::kNeedUpdate || s == update_row::kNeedUpdateToo ||
                         s == update_row::kUpdateFailed;
    const bool idle = s == update_row::kNoUpdate || s == update_row::kUpdated;
    if (m_statusText) ResourceManager::instance().setTextId(m_statusText, kStateTexts[s]);
    if (m_statusIng) m_statusIng->setVisible(progress);
    if (m_progressValue) m_progressValue->setVisible(progress);
    if (m_statusOk) m_statusOk->setVisible(s == update_row::kDownloaded);
    if (s == update_row::kUpdated) setUpdateRev(QString());
    if (m_check) {
        m_check->setEnabled(canTick);
        m_check->setStyleSheet(QString::fromLatin1(idle ? kIdleBoxStyle : kActiveBoxStyle));
    }
    // The state text's colour follows the row's state.
    setProperty("updateState", s);
    if (m_statusText) repolish(m_statusText);
    update();
}

void CUpdateInfoListItemUI::setName(const QString& name) {
    if (m_check) m_check->setText(name);
}

QString CUpdateInfoListItemUI::name() const {
    return m_check ? m_check->text() : QString();
}

void CUpdateInfoListItemUI::setOldRev(const QString& text) {
    if (m_oldRev) m_oldRev->setText(text);
}

QString CUpdateInfoListItemUI::oldRev() const {
    return m_oldRev ? m_oldRev->text() : QString();
}

void CUpdateInfoListItemUI::setUpdateRev(const QString& text) {
    if (!m_updateRev) return;
    m_updateRev->setText(text);
    m_updateRev->setVisible(!text.isEmpty());
}

QString CUpdateInfoListItemUI::updateRev() const {
    return m_updateRev ? m_updateRev->text() : QString();
}

void CUpdateInfoListItemUI::setProgress(int percent) {
    m_progress = std::clamp(percent, 0, 100);
    if (m_statusIng) m_statusIng->setValue(m_progress);
    if (m_progressValue) m_progressValue->setText(QStringLiteral("%1%").arg(m_progress));
}

QAbstractButton* CUpdateInfoListItemUI::checkBox() const {
    return m_check;
}

bool CUpdateInfoListItemUI::isTicked() const {
    return m_check && m_check->isChecked();
}

void CUpdateInfoListItemUI::paintEvent(QPaintEvent* event) {
    ListElementUI::paintEvent(event);
    const QWidget* list = parentWidget();
    if (!isHot() || isTicked() || !list || list->property("hotimage").toString().isEmpty()) return;
    QColor frame = QColor::fromString(list->property("hotbordercolor").toString());
    if (!frame.isValid()) frame = QColor(0x00, 0x99, 0xFF);
    QPainter p(this);
    p.setPen(QPen(frame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace md
