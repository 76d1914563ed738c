#pragma once
// The common part of the application's list rows: selection within the rows of the same
// parent (single, or toggled with Ctrl), hot state while the pointer is over the row,
// activation by double click, and the context-menu switch. The row's parent plays the list.
//
// Notifications: "itemselect" when a press changes the selection, "itemactivate" on
// activation, "itemclick" on release. A row whose context menu is enabled (attribute "menu")
// lets the notification layer report "menu" with the pointer position; otherwise the request
// goes to the parent.

#include <QFrame>

namespace md {

class ListElementUI : public QFrame {
    Q_OBJECT
  public:
    explicit ListElementUI(QWidget* parent = nullptr);

    using QFrame::setAttribute;
    virtual void setAttribute(const QString& name, const QString& value);

    bool isSelected() const { return m_selected; }
    void setSelected(bool on);
    bool isHot() const { return m_hot; }
    void setContextMenuEnabled(bool on);
    bool isContextMenuEnabled() const { return m_menuEnabled; }
    // While disabled, mouse events go to the parent.
    void setMouseEnabled(bool on) { m_mouseEnabled = on; }
    bool isMouseEnabled() const { return m_mouseEnabled; }

    // Succeeds for a shown, enabled row and then notifies "itemactivate".
    virtual bool activate();

  protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void select(bool toggle);

    bool m_selected = false;
    bool m_hot = false;
    bool m_menuEnabled = false;
    bool m_mouseEnabled = true;
};

}  // namespace md
