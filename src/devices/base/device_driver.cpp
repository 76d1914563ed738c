#include "devices/base/device_driver.h"

#include "devices/device_registry.h"
#include "devlink/link/device_link.h"
#include "profiles/basic_profiledata.h"

namespace md {

ProfileSwitchResult DeviceDriver::commitProfile(const std::string& folder, const std::string& path,
                                                ProfileSwitchSteps steps) {
    const std::unique_ptr<ProfileDevice> target = switchTarget(folder, path);
    return runProfileSwitch(*target, steps);
}

std::optional<PowerStatus> DeviceDriver::powerStatus() {
    if (!model().has(kCapPowerStatus)) return std::nullopt;
    return readPowerStatus(link());
}

LightingApplyResult applyLightingMode(DeviceDriver& driver, const LightSetting& l) {
    LightingApplyResult r;
    const LightSetting before = driver.lightingMode();
    driver.setLightingMode(l);
    r.saved = driver.profile().save();
    if (r.saved) r.written = driver.writeSettings();
    if (!r.ok()) {
        // The profile keeps claiming only what the device has.
        driver.setLightingMode(before);
        if (r.saved) driver.profile().save();
    }
    return r;
}

}  // namespace md
