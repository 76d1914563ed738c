#pragma once
// The skin picker ("skin.xml"): a pop-up under the title bar's skin button with a page of
// background images and a page of colours. It closes when it loses the focus.

#include <QString>
#include <QWidget>
#include <functional>

#include "ui/control_finder.h"
#include "ui/notification.h"

namespace md {

class CSkinFrame : public QWidget, public NotifyTarget {
    Q_OBJECT
  public:
    // Opens under skinButton (right edges aligned, top at the button's bottom).
    explicit CSkinFrame(QWidget* skinButton);

    void notify(const Notification& n) override;
    ControlFinder& controls() { return m_controls; }

    // The custom-image dialog; replaceable for tests. Answers the chosen path or "".
    static std::function<QString(QWidget* parent)>& customImageChooser();
    // "main.ini" of the user's data folder.
    static QString settingsPath();
    static void writeSkinChoice(int flags, const QString& image);

    static constexpr const char* kDefaultImage = "common/background.png";

  protected:
    // Tab and Shift+Tab in reading order (keyboard_access.h).
    bool focusNextPrevChild(bool next) override;

  private:
    void decorateButtons();

    ControlFinder m_controls;
};

}  // namespace md
