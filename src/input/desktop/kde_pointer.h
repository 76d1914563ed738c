#pragma once
// KDE Plasma: "kcminputrc" [Mouse] XLbInptPointerAcceleration (-1..1) and
// XLbInptAccelProfileFlat, "kdeglobals" [KDE] WheelScrollLines and DoubleClickInterval. The files
// are changed in place (other groups and keys kept) and written atomically; then the caller's
// hook sends KDE's reload signal.

#include "input/desktop/desktop_pointer.h"

namespace md {

class KdePointer : public DesktopPointer {
  public:
    KdePointer(std::string configFolder, std::function<void()> changed)
        : m_folder(std::move(configFolder)), m_changed(std::move(changed)) {}
    std::string desktopName() const override { return "KDE Plasma"; }
    PointerSupport support() const override { return {true, true, true, true}; }
    bool apply(const PointerValues& v, std::string& problem) override;

  private:
    std::string m_folder;
    std::function<void()> m_changed;
};

// Sets key=value in [group] of a KDE configuration text (added when missing), keeping every
// other line as it is.
std::string withKdeConfigValue(const std::string& text, const std::string& group,
                               const std::string& key, const std::string& value);

}  // namespace md
