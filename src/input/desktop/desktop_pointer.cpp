#include "input/desktop/desktop_pointer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "input/desktop/gnome_pointer.h"
#include "input/desktop/kde_pointer.h"
#include "input/desktop/x11_pointer.h"

namespace md {
namespace {

// A desktop without such settings (e.g. a Wayland compositor other than GNOME and KDE).
class NoDesktopPointer : public DesktopPointer {
  public:
    std::string desktopName() const override { return {}; }
    PointerSupport support() const override { return {}; }
    bool apply(const PointerValues&, std::string&) override { return true; }
};

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// XDG_CURRENT_DESKTOP is a colon-separated list ("ubuntu:GNOME").
bool desktopIs(const std::string& list, const std::string& name) {
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(':', start), list.size());
        if (list.compare(start, end - start, name) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

double libinputSpeed(int speed) {
    return std::clamp((std::clamp(speed, 1, 20) - 10) / 10.0, -1.0, 1.0);
}

std::string libinputSpeedText(int speed) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", libinputSpeed(speed));
    return text;
}

std::unique_ptr<DesktopPointer> makeDesktopPointer(const std::string& kdeConfigFolder,
                                                   std::function<void()> kdeChanged) {
    const std::string desktop = env("XDG_CURRENT_DESKTOP");
    if (desktopIs(desktop, "GNOME")) return std::make_unique<GnomePointer>();
    if (desktopIs(desktop, "KDE"))
        return std::make_unique<KdePointer>(kdeConfigFolder, std::move(kdeChanged));
    if (!env("DISPLAY").empty() && env("XDG_SESSION_TYPE") != "wayland")
        return std::make_unique<X11Pointer>(env("DISPLAY"));
    return std::make_unique<NoDesktopPointer>();
}

}  // namespace md
