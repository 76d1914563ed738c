#pragma once
// Plain X11: the server's pointer control (acceleration as numerator / denominator and its
// threshold), over the program's own connection to $DISPLAY. X11 has no wheel or double-click
// setting of its own.

#include <string>

#include "input/desktop/desktop_pointer.h"

namespace md {

class X11Pointer : public DesktopPointer {
  public:
    explicit X11Pointer(std::string display) : m_display(std::move(display)) {}
    std::string desktopName() const override { return "X11"; }
    PointerSupport support() const override { return {true, true, false, false}; }
    bool apply(const PointerValues& v, std::string& problem) override;

    // The acceleration the values ask for: speed / 10 while precision is on, none (1/1)
    // while it is off; threshold 4 pixels.
    struct Control {
        int numerator = 1;
        int denominator = 1;
        int threshold = 4;
    };
    static Control controlOf(const PointerValues& v);
    // What the server holds now (for checks); false when it cannot be reached.
    bool read(Control& out, std::string& problem) const;

  private:
    std::string m_display;
};

}  // namespace md
