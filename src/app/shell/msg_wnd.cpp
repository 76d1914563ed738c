#include "app/shell/msg_wnd.h"

#include <QScreen>

#include "app/shell/ui_scale.h"
#include "common/dbg_out.h"
#include "ui/keyboard_access.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"
#include "ui/title_bar_drag.h"

namespace md {

CMsgWnd::CMsgWnd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_controls(this) {
    setObjectName("msgwnd");
    setAttribute(Qt::WA_TranslucentBackground);
    LayoutBuilder builder;
    if (!builder.buildInto("XML_MSG", this)) dbgOut("message box layout missing");
    new NotifyDispatcher(*this, this);
    TitleBarDrag::install(m_controls.find("msg_title_bar"));
}

void CMsgWnd::setTitle(const QString& title) {
    if (title.isEmpty()) return;
    if (QWidget* t = m_controls.find("MessageTitle")) {
        t->setProperty("textId", QVariant());
        t->setProperty("text", title);
    }
}

void CMsgWnd::setText(const QString& text, bool textIsId) {
    if (text.isEmpty()) return;
    QWidget* t = m_controls.find("MessageText");
    if (!t) return;
    if (textIsId) {
        ResourceManager::instance().setTextId(t, text);
    } else {
        t->setProperty("textId", QVariant());
        t->setProperty("text", text);
    }
}

void CMsgWnd::setUiScale(int scale) {
    if (scale == m_uiScale) return;
    m_uiScale = checkUiScale(scale, "MSG_WND DPI SET ERROR");
}

void CMsgWnd::setButtons(int buttons) {
    if (QWidget* c = m_controls.find("cancel_btn")) c->setVisible(buttons == 1);
    if (QWidget* c = m_controls.find("confirm_btn")) c->setVisible(true);
}

void CMsgWnd::notify(const Notification& n) {
    if (n.type != QLatin1String("click")) return;
    if (n.sender == QLatin1String("confirm_btn")) done(1);
    if (n.sender == QLatin1String("cancel_btn") || n.sender == QLatin1String("closebtn")) done(0);
}

int showMessageBox(QWidget* parent, const QString& title, const QString& text, int uiScale,
                   bool textIsId, int buttons) {
    CMsgWnd box(parent);
    if (!parent) ResourceManager::instance().applyStyle(&box);
    box.setTitle(title);
    box.setText(text, textIsId);
    box.setUiScale(uiScale);
    box.setButtons(buttons);
    box.adjustSize();
    const QWidget* anchor = parent ? parent->window() : nullptr;
    const QRect area = anchor && anchor->isVisible() ? anchor->frameGeometry()
                       : box.screen()                ? box.screen()->availableGeometry()
                                                     : QRect();
    if (area.isValid()) box.move(area.center() - box.rect().center());
    return box.exec() == 1 ? 1 : 0;
}

bool CMsgWnd::focusNextPrevChild(bool next) {
    return moveFocusInReadingOrder(this, next);
}

}  // namespace md
