#include "devices/lighting/frame_senders.h"

#include <memory>

#include "devices/headset/headset_reports.h"
#include "devices/lighting/led_frame.h"
#include "devlink/link/device_link.h"

namespace md::lighting {

HostLightingWorker::FrameSender headsetFrameSender(DeviceLink& link) {
    auto reports = std::make_shared<HeadsetReports>();
    return [&link, reports](std::span<const LedColour> leds) {
        buildHeadsetReports(leds, *reports);
        return sendHeadsetReports(link.wiredChannel(), *reports) == reports->size();
    };
}

HostLightingWorker::FrameSender ledFrameSender(DeviceLink& link) {
    auto frame = std::make_shared<LedFrame>();
    return [&link, frame](std::span<const LedColour> leds) {
        return pushLedFrame(link, leds, *frame) == link::kOk;
    };
}

}  // namespace md::lighting
