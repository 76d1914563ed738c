#pragma once
// What the running application lends the verbs it runs for mouse-driver-cli: the devices its
// detection found, their open sessions, and the models' profiles and controllers. A verb run
// this way drives the device exactly as the page does, on the page's own link and profile, and
// the application shows the outcome on its pages afterwards.

#include <optional>
#include <vector>

#include "cli/device_select.h"
#include "devices/base/device_driver.h"

namespace md {
class DeviceSession;
}  // namespace md

namespace md::cli {

// A model's link, profile and controller (the kind's driver).
template <typename Profile, typename Controller>
struct HostedDevice {
    DeviceLink* link = nullptr;
    Profile* profile = nullptr;
    Controller* controller = nullptr;
};

class DeviceHost {
  public:
    virtual ~DeviceHost() = default;
    // The command collections the application has open, in slot order.
    virtual std::vector<SelectedDevice> attached() = 0;
    // The application's open session of a device; nullptr when it has none.
    virtual DeviceSession* session(const SelectedDevice& device) = 0;
    // The driver of the model behind a command collection; nullptr when the application has
    // none for it.
    virtual DeviceDriver* driver(const SelectedDevice& device) = 0;
    // A verb changed the device, its profile or its profile list: the pages catch up.
    virtual void changed(const SelectedDevice& device) = 0;
};

// The hosted model of a session type (see verb_session.h): the driver when it is of the
// session's controller type.
template <typename Profile, typename Controller>
std::optional<HostedDevice<Profile, Controller>> hostedOf(
    DeviceHost& h, const SelectedDevice& d, const HostedDevice<Profile, Controller>*) {
    auto* c = dynamic_cast<Controller*>(h.driver(d));
    if (!c) return std::nullopt;
    return HostedDevice<Profile, Controller>{&c->link(), &static_cast<Profile&>(c->profile()), c};
}

}  // namespace md::cli
