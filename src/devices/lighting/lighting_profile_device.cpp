#include "devices/lighting/lighting_profile_device.h"

#include "profiles/basic_profiledata.h"

namespace md::lighting {

bool LightingProfileDevice::loadProfile() {
    CBasicProfiledata& profile = m_device.profile();
    profile.setProfilePath(m_path);
    profile.loadNode(m_path);
    if (profile.damaged()) return false;
    m_device.loadLighting();
    return true;
}

std::string LightingProfileDevice::problem() const {
    return m_device.profile().problem();
}

}  // namespace md::lighting
