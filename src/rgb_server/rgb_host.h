#pragma once
// What the RGB SDK server drives: the program's devices as the protocol's controllers. The
// server calls it on its own thread; an implementation takes care that nothing here waits on
// the UI thread or on a device.

#include <string>
#include <vector>

#include "devices/lighting/led_colour.h"
#include "rgb_server/rgb_protocol.h"

namespace md::rgb {

class RgbHost {
  public:
    virtual ~RgbHost() = default;
    // The controllers present now, in a stable order: one per device.
    virtual std::vector<Controller> controllers() = 0;
    // The LED count of controller `index` (0 when there is none): asked for every frame of
    // client colours, so hosts answer it without building the controllers.
    virtual size_t ledCount(size_t index) {
        const std::vector<Controller> list = controllers();
        return index < list.size() ? list[index].leds.size() : 0;
    }
    // A client's colours for controller `index`, one per LED: shown at once, never saved.
    virtual void showColours(size_t index, std::vector<lighting::LedColour> colours,
                             const std::string& client) = 0;
    // The device's own mode `described` (one of the controller's modes) with the client's
    // values, applied as the lighting panel applies a mode: the profile keeps it.
    virtual void applyMode(size_t index, const Mode& mode, const Mode& described,
                           const std::string& client) = 0;
    // Clients connected or gone; names as the clients gave them.
    virtual void clientsChanged(const std::vector<std::string>& /*names*/) {}
};

}  // namespace md::rgb
