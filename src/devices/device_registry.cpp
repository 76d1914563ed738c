#include "devices/device_registry.h"

namespace md {

const DeviceModelRow* modelRowForKind(uint16_t deviceKind) {
    for (const DeviceModelRow& r : kDeviceModels)
        if (kindValue(r.kind) == deviceKind || kindValue(r.receiverKind) == deviceKind) return &r;
    return nullptr;
}

bool modelHas(uint16_t deviceKind, ModelCapability c) {
    const DeviceModelRow* r = modelRowForKind(deviceKind);
    return r && r->has(c);
}

}  // namespace md
