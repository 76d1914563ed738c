#pragma once
// A widget that shows an LED preview's colour itself (a key of a device picture). The device
// pages set the colour for every lighting frame through this interface, without knowing the
// widget's class and without a property look-up by name per frame.

#include <QColor>

namespace md {

class LedLamp {
  public:
    virtual ~LedLamp() = default;
    // Repaints only when the colour changed.
    virtual void setLedColour(const QColor& colour) = 0;
    virtual QColor ledColour() const = 0;
};

}  // namespace md
