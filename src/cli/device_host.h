#pragma once
// What the running application lends the verbs it runs for mouse-driver-cli: the devices its
// detection found, their open sessions, and the mouse model's profile and controller. A verb run
// this way drives the device exactly as the page does, on the page's own link and profile, and
// the application shows the outcome on its pages afterwards.

#include <optional>
#include <vector>

#include "cli/device_select.h"

namespace md::lighting {
class LightingBlockDevice;
}

namespace md {
class CMouseProfiledata;
class DeviceLink;
class DeviceSession;
class MouseController;
}  // namespace md

namespace md::cli {

struct HostedMouse {
    DeviceLink* link = nullptr;
    CMouseProfiledata* profile = nullptr;
    MouseController* controller = nullptr;
};

class DeviceHost {
  public:
    virtual ~DeviceHost() = default;
    // The command collections the application has open, in slot order.
    virtual std::vector<SelectedDevice> attached() = 0;
    // The application's open session of a device; nullptr when it has none.
    virtual DeviceSession* session(const SelectedDevice& device) = 0;
    // The mouse model behind a mouse or receiver collection.
    virtual std::optional<HostedMouse> mouse(const SelectedDevice& device) = 0;
    // The lighting of a headset or mousepad model (its link, profile and lighting block);
    // nullptr when the application has none for the device.
    virtual lighting::LightingBlockDevice* lightingDevice(const SelectedDevice& /*device*/) {
        return nullptr;
    }
    // A verb changed the device, its profile or its profile list: the pages catch up.
    virtual void changed(const SelectedDevice& device) = 0;
};

}  // namespace md::cli
