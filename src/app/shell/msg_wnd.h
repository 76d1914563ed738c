#pragma once
// The modal message box of the program ("XML_MSG"): a title, a text (normally a text id
// "message_text_" n), a confirm button and, for buttons = 1, a cancel button.

#include <QDialog>

#include "ui/control_finder.h"
#include "ui/notification.h"

namespace md {

class CMsgWnd : public QDialog, public NotifyTarget {
    Q_OBJECT
  public:
    explicit CMsgWnd(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setText(const QString& text, bool textIsId);
    // Takes scale when it is a valid UI scale, else 96 (with "MSG_WND DPI SET ERROR").
    void setUiScale(int scale);
    int uiScale() const { return m_uiScale; }
    void setButtons(int buttons);
    ControlFinder& controls() { return m_controls; }

    void notify(const Notification& n) override;

  protected:
    // Tab and Shift+Tab in reading order (keyboard_access.h).
    bool focusNextPrevChild(bool next) override;

  private:
    ControlFinder m_controls;
    int m_uiScale = 96;
};

// Shows the message box modally; 1 when the user confirmed, 0 otherwise.
int showMessageBox(QWidget* parent, const QString& title, const QString& text, int uiScale,
                   bool textIsId, int buttons);

}  // namespace md
