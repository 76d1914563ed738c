#pragma once
// The one way anything drives a device: the pages, the command-line tool and the services that
// light devices, switch profiles or watch batteries are its clients. Each kind's controller
// implements it (MouseController, KeyboardController, lighting::LightingBlockDevice); what only
// one kind has (the mouse's DPI stages, the keyboard's key maps) stays on its controller.
//
// Result codes are the command link's (link::kOk is success, 0 a closed link or a device that
// cannot be reached) unless a method says otherwise.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "devices/base/power_status.h"
#include "devices/base/profile_switch.h"
#include "devices/lighting/led_colour.h"
#include "profiles/profile_records.h"

namespace md {

class CBasicProfiledata;
class DeviceLink;
struct DeviceModelRow;

// Sends one frame of host-computed colours; answers whether it went out completely.
using LedFrameSender = std::function<bool(std::span<const lighting::LedColour> leds)>;

class DeviceDriver {
  public:
    virtual ~DeviceDriver() = default;

    virtual const DeviceModelRow& model() const = 0;
    virtual DeviceLink& link() = 0;
    virtual CBasicProfiledata& profile() = 0;
    // False only while a device behind a receiver cannot be reached.
    virtual bool reachable() { return true; }

    // Attach: the device information and the tables the kind has, read from the device. On a
    // failure the driver keeps what it had.
    virtual int attach() = 0;
    // The settings of the active hardware profile become the profile's, which is saved.
    virtual int readSettings() = 0;

    // Commit: the profile file at `path` becomes current on the device through the profile-
    // switch sequence. `folder` is the device's data folder (macro list, macro and recoil
    // files), ending with '/'.
    ProfileSwitchResult commitProfile(const std::string& folder, const std::string& path,
                                      ProfileSwitchSteps steps = {});

    // The settings of hardware profile 0 (settings block, or lighting block).
    virtual int writeSettings() = 0;
    // The profile's key assignments; success when the device has no keys.
    virtual int writeKeys() { return link::kOk; }
    // Memory images built from the data folder: 0 written (or nothing to write), -1 failed,
    // n > 0 too long by about n - 1 events.
    virtual int writeMacros(const std::string& /*folder*/) { return 0; }
    virtual int writeRecoil(const std::string& /*folder*/) { return 0; }
    // The macro memory in bytes (0 without macros), known after attach.
    virtual size_t macroCapacityBytes() const { return 0; }

    // Lighting mode: what the device's own lighting shows. setLightingMode changes the driver's
    // and the profile's (not saved, not sent: writeSettings sends it); values outside the
    // device's ranges become their nearest valid value where the device would refuse them.
    virtual LightSetting lightingMode() const = 0;
    virtual void setLightingMode(const LightSetting& l) = 0;

    // LED frame: how host-computed colours reach the device; empty for a device that takes
    // none.
    virtual LedFrameSender ledFrameSender() { return {}; }

    // Power status: battery, charge state and charger; nothing when the model reports none,
    // the link is closed or the read failed.
    std::optional<PowerStatus> powerStatus();

  protected:
    // The target of commitProfile's sequence.
    virtual std::unique_ptr<ProfileDevice> switchTarget(const std::string& folder,
                                                        const std::string& path) = 0;
};

// A lighting mode applied as the lighting panel does: the profile takes it and is saved, the
// device gets it; when the save or the write fails, driver and profile go back to what they had.
struct LightingApplyResult {
    bool saved = false;
    int written = 0;  // link result code of the write (0 when not attempted)
    bool ok() const { return saved && written == 1; }
};
LightingApplyResult applyLightingMode(DeviceDriver& driver, const LightSetting& l);

}  // namespace md
