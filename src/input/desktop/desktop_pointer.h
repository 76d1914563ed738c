#pragma once
// The mouse page's pointer, wheel and double-click settings applied to the desktop the program
// runs on, through the desktop's own settings: GNOME's GSettings, KDE Plasma's configuration
// files (with their reload signal), or the X server's pointer control. A desktop without a
// setting says so, and its control is disabled.

#include <functional>
#include <memory>
#include <string>

namespace md {

// The values as the page holds them.
struct PointerValues {
    int speed = 10;           // 1-20, 10 is the desktop's normal speed
    bool precision = true;    // acceleration ("enhance pointer precision")
    int wheelLines = 3;       // 1-20 lines per notch
    int doubleClickMs = 500;  // 200-900
};

// Which of the values the desktop has a setting for.
struct PointerSupport {
    bool speed = false;
    bool precision = false;
    bool wheelLines = false;
    bool doubleClick = false;
    bool any() const { return speed || precision || wheelLines || doubleClick; }
};

class DesktopPointer {
  public:
    virtual ~DesktopPointer() = default;
    // "GNOME", "KDE Plasma", "X11" or "" (none).
    virtual std::string desktopName() const = 0;
    virtual PointerSupport support() const = 0;
    // Applies the supported values; false with problem set when the desktop refused.
    virtual bool apply(const PointerValues& v, std::string& problem) = 0;
};

// The desktop's backend. Chosen from XDG_CURRENT_DESKTOP (GNOME, KDE), else the X server when
// DISPLAY is set and the session is not Wayland; a backend that supports nothing otherwise.
// kdeConfigFolder is $XDG_CONFIG_HOME (KDE's files live there); kdeChanged is called after the
// KDE files changed, for the caller to send KDE's reload signal.
std::unique_ptr<DesktopPointer> makeDesktopPointer(const std::string& kdeConfigFolder,
                                                   std::function<void()> kdeChanged);

// Mappings shared by the backends: speed 1-20 to -1..1 (GNOME, KDE libinput), to an X
// acceleration of speed / 10.
double libinputSpeed(int speed);
// libinputSpeed as the desktops' settings write it ("-0.90").
std::string libinputSpeedText(int speed);

}  // namespace md
