#include "common/device_kind.h"

namespace md {

const KindFacts* kindFacts(uint16_t deviceKind) {
    for (const KindFacts& f : kDeviceKinds)
        if (kindValue(f.kind) == deviceKind) return &f;
    return nullptr;
}

bool isCableKind(uint16_t deviceKind) {
    const KindFacts* f = kindFacts(deviceKind);
    return f && f->link == KindLink::Cable;
}

bool isReceiverKind(uint16_t deviceKind) {
    const KindFacts* f = kindFacts(deviceKind);
    return f && f->link == KindLink::Receiver;
}

uint16_t modelKindOf(uint16_t deviceKind) {
    const KindFacts* f = kindFacts(deviceKind);
    return f ? kindValue(f->modelKind) : deviceKind;
}

bool opensShared(uint16_t deviceKind) {
    const KindFacts* f = kindFacts(deviceKind);
    return f && f->shared;
}

const char* connectionName(uint16_t deviceKind) {
    const KindFacts* f = kindFacts(deviceKind);
    return f ? f->connectionName : "";
}

std::optional<uint16_t> kindForConnectionName(std::string_view name) {
    for (const KindFacts& f : kDeviceKinds)
        if (name == f.connectionName) return kindValue(f.kind);
    return std::nullopt;
}

}  // namespace md
