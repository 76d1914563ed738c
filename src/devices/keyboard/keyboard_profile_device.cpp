#include "devices/keyboard/keyboard_profile_device.h"

#include "devices/memory_image/memory_image.h"

namespace md {

bool KeyboardProfileDevice::loadProfile() {
    m_profile.setProfilePath(m_path);
    m_profile.loadNode(m_path);
    m_controller.loadFromProfile();
    return !m_profile.damaged();
}

void KeyboardProfileDevice::validateMacroKeys() {
    // The profile file follows, so that it never names a macro the list does not have.
    if (m_controller.validateMacroKeys(memimg::macroCountOf(m_folder))) m_profile.save();
}

}  // namespace md
