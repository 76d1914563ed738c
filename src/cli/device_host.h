#pragma once
// What the running application lends the verbs it runs for mouse-driver-cli: the devices its
// detection found, their open sessions, and the models' profiles and controllers. A verb run
// this way drives the device exactly as the page does, on the page's own link and profile, and
// the application shows the outcome on its pages afterwards.

#include <optional>
#include <vector>

#include "cli/device_select.h"

namespace md::lighting {
class LightingBlockDevice;
}

namespace md {
class CBasicProfiledata;
class CKeyboardProfiledata;
class CMouseProfiledata;
class DeviceLink;
class DeviceSession;
class KeyboardController;
class MouseController;
}  // namespace md

namespace md::cli {

// A model's link, profile and controller.
template <typename Profile, typename Controller>
struct HostedDevice {
    DeviceLink* link = nullptr;
    Profile* profile = nullptr;
    Controller* controller = nullptr;
};
using HostedMouse = HostedDevice<CMouseProfiledata, MouseController>;
using HostedKeyboard = HostedDevice<CKeyboardProfiledata, KeyboardController>;
using HostedBlockDevice = HostedDevice<CBasicProfiledata, lighting::LightingBlockDevice>;

class DeviceHost {
  public:
    virtual ~DeviceHost() = default;
    // The command collections the application has open, in slot order.
    virtual std::vector<SelectedDevice> attached() = 0;
    // The application's open session of a device; nullptr when it has none.
    virtual DeviceSession* session(const SelectedDevice& device) = 0;
    // The mouse model behind a mouse or receiver collection.
    virtual std::optional<HostedMouse> mouse(const SelectedDevice& device) = 0;
    // The keyboard model behind a keyboard collection (cable or receiver).
    virtual std::optional<HostedKeyboard> keyboard(const SelectedDevice& device) = 0;
    // The lighting of a headset or mousepad model (its link, profile and lighting block);
    // nullptr when the application has none for the device.
    virtual lighting::LightingBlockDevice* lightingDevice(const SelectedDevice& /*device*/) {
        return nullptr;
    }
    // A verb changed the device, its profile or its profile list: the pages catch up.
    virtual void changed(const SelectedDevice& device) = 0;
};

// The hosted model of a session type (see verb_session.h).
inline std::optional<HostedMouse> hostedOf(DeviceHost& h, const SelectedDevice& d,
                                           const HostedMouse*) {
    return h.mouse(d);
}
inline std::optional<HostedKeyboard> hostedOf(DeviceHost& h, const SelectedDevice& d,
                                              const HostedKeyboard*) {
    return h.keyboard(d);
}
std::optional<HostedBlockDevice> hostedOf(DeviceHost& h, const SelectedDevice& d,
                                          const HostedBlockDevice*);

}  // namespace md::cli
