#include "devices/device_registry.h"

namespace md {

const DeviceModelRow* modelRowForKind(uint16_t deviceKind) {
    for (const DeviceModelRow& r : kDeviceModels)
        if (kindValue(r.kind) == deviceKind || kindValue(r.receiverKind) == deviceKind) return &r;
    return nullptr;
}

bool isCableKind(uint16_t deviceKind) {
    const DeviceModelRow* r = modelRowForKind(deviceKind);
    return r && r->receiverName && kindValue(r->kind) == deviceKind;
}

bool isReceiverKind(uint16_t deviceKind) {
    const DeviceModelRow* r = modelRowForKind(deviceKind);
    return r && r->receiverName && kindValue(r->receiverKind) == deviceKind;
}

uint16_t modelKindOf(uint16_t deviceKind) {
    const DeviceModelRow* r = modelRowForKind(deviceKind);
    return r ? kindValue(r->kind) : deviceKind;
}

const char* connectionName(uint16_t deviceKind) {
    const DeviceModelRow* r = modelRowForKind(deviceKind);
    if (!r) return "";
    return isReceiverKind(deviceKind) ? r->receiverName : r->name;
}

std::optional<uint16_t> kindForConnectionName(std::string_view name) {
    for (const DeviceModelRow& r : kDeviceModels) {
        if (name == r.name) return kindValue(r.kind);
        if (r.receiverName && name == r.receiverName) return kindValue(r.receiverKind);
    }
    return std::nullopt;
}

}  // namespace md
