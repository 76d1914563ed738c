#include "devices/mouse/mouse_profile_device.h"

#include "devices/memory_image/memory_image.h"

namespace md {

bool MouseProfileDevice::loadProfile() {
    m_profile.setProfilePath(m_path);
    m_profile.loadNode(m_path);
    m_profile.readKeyList();
    return !m_profile.damaged();
}

void MouseProfileDevice::validateMacroKeys() {
    // The profile file follows, so that it never names a macro the list does not have.
    if (m_controller.validateMacroKeys(memimg::macroCountOf(m_folder))) m_profile.save();
}

}  // namespace md
