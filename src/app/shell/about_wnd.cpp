#include "app/shell/about_wnd.h"

#include <QScreen>

#include "app/shell/app_messages.h"
#include "common/dbg_out.h"
#include "ui/keyboard_access.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/title_bar_drag.h"

namespace md {

CAboutWnd::CAboutWnd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_controls(this) {
    setObjectName("AboutWnd");
    setWindowTitle("  ");
    resize(kWidth, kHeight);
    LayoutBuilder builder;
    if (!builder.buildInto("AboutWnd.xml", this)) dbgOut("about layout missing");
    new NotifyDispatcher(*this, this);
    TitleBarDrag::install(m_controls.find("about_title_bar"));
    updateVersionLabel();
    updateZoomButtons();
    const QWidget* anchor = parent ? parent->window() : nullptr;
    const QRect area = anchor && anchor->isVisible() ? anchor->frameGeometry()
                       : screen()                    ? screen()->availableGeometry()
                                                     : QRect();
    if (area.isValid()) move(area.center() - rect().center());
}

void CAboutWnd::updateVersionLabel() {
    const QString label =
        m_controls.queryText("software_rev_text") + QString::fromLatin1(MD_VERSION_TEXT);
    if (QWidget* w = m_controls.find("software_ver_label")) w->setProperty("text", label);
}

void CAboutWnd::updateZoomButtons() {
    const bool zoomed = isMaximized();
    if (QWidget* w = m_controls.find("maxbtn")) w->setVisible(!zoomed);
    if (QWidget* w = m_controls.find("restorebtn")) w->setVisible(zoomed);
}

bool CAboutWnd::handleMessage(uint32_t message, uintptr_t, intptr_t) {
    if (message != msg::kLanguageChanged) return false;
    updateVersionLabel();
    update();
    return true;
}

void CAboutWnd::notify(const Notification& n) {
    if (n.type != QLatin1String("click")) return;
    if (n.sender == QLatin1String("closebtn")) {
        close();
    } else if (n.sender == QLatin1String("minbtn")) {
        showMinimized();
    } else if (n.sender == QLatin1String("maxbtn")) {
        showMaximized();
        updateZoomButtons();
    } else if (n.sender == QLatin1String("restorebtn")) {
        showNormal();
        updateZoomButtons();
    }
}

bool CAboutWnd::focusNextPrevChild(bool next) {
    return moveFocusInReadingOrder(this, next);
}

}  // namespace md
