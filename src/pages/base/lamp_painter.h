#pragma once
// Draws the LED lamps of a device picture (the widgets named "light_" n that are not key
// buttons) in their "ledColour" property: a round lamp with a faint rim, painted on the lamp's
// paint event. A colour change is a repaint of one small widget, not a new style sheet, so a
// running preview costs little.

#include <QColor>
#include <QObject>

class QWidget;

namespace md {

class LampPainter : public QObject {
  public:
    // The painter of the application (one for all lamps).
    static LampPainter& instance();
    // Shows colour on lamp (installs the painter on first use).
    void show(QWidget* lamp, const QColor& colour);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
};

}  // namespace md
