#pragma once
// GNOME: org.gnome.desktop.peripherals.mouse "speed" (-1..1), "accel-profile" ('default' or
// 'flat') and "double-click" (ms), set with the gsettings tool. GNOME has no wheel setting.

#include "input/desktop/desktop_pointer.h"

namespace md {

class GnomePointer : public DesktopPointer {
  public:
    std::string desktopName() const override { return "GNOME"; }
    PointerSupport support() const override { return {true, true, false, true}; }
    bool apply(const PointerValues& v, std::string& problem) override;
};

}  // namespace md
