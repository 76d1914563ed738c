#include "devlink/link/connection_policy.h"

#include <algorithm>
#include <optional>

namespace md {

namespace {

using Type = ConnectionAction::Type;

// Same device: vendor, product and kind (the collection number aside).
bool sameDevice(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.deviceKind == b.deviceKind;
}

bool sameModelKind(const ModelConnection& m, uint16_t kind) {
    return modelKindOf(m.identity.deviceKind) == modelKindOf(kind);
}

// The slot's partner (the other link of the same device) is connected too.
bool partnerConnected(const SlotList& slots, size_t slot) {
    const DeviceIdentity id = slots.at(slot);
    if (!id.hasPartner) return false;
    const DeviceIdentity partner = slots.at(id.partnerSlot);
    return partner.hasPartner && partner.partnerSlot == slot && partner.connected &&
           !partner.path.empty();
}

// The identity the model of a collection is known by: a receiver's model carries its cable's.
DeviceIdentity modelIdentityOf(const SlotList& slots, const DeviceIdentity& id) {
    return isReceiverKind(id.deviceKind) && id.hasPartner ? slots.at(id.partnerSlot) : id;
}

std::optional<size_t> modelFor(std::span<const ModelConnection> models, uint16_t kind,
                               const DeviceIdentity& key) {
    for (size_t i = 0; i < models.size(); ++i)
        if (sameModelKind(models[i], kind) && sameCollection(models[i].identity, key)) return i;
    return std::nullopt;
}

// The open link moves to the other connection of the device of slot.
void switchLink(const SlotList& slots, size_t slot, std::span<const ModelConnection> models,
                std::vector<ConnectionAction>& out) {
    const DeviceIdentity id = slots.at(slot);
    auto m = modelFor(models, id.deviceKind, id);
    if (!m && id.hasPartner) m = modelFor(models, id.deviceKind, slots.at(id.partnerSlot));
    if (!m) return;
    const bool toReceiver = models[*m].route != LinkRoute::Receiver;
    ConnectionAction a{Type::SwitchLink, *m, {}, {}, {}, 0};
    a.path = toReceiver ? slots.at(id.partnerSlot).path : id.path;
    a.route = toReceiver ? LinkRoute::Receiver : LinkRoute::Cable;
    out.push_back(std::move(a));
}

void eventsArrived(const SlotList& slots, const DeviceIdentity& id,
                   std::span<const ModelConnection> models, std::vector<ConnectionAction>& out) {
    const uint16_t k = id.deviceKind;
    auto add = [&](Type type, size_t m) {
        ConnectionAction a{type, m, id.path, {}, {}, k};
        out.push_back(std::move(a));
    };
    for (size_t i = 0; i < models.size(); ++i) {
        const ModelConnection& m = models[i];
        if (!sameModelKind(m, k)) continue;
        const DeviceIdentity& own = m.identity;
        if (isCableKind(k)) {
            if (m.open) {
                // Connected through its receiver: its cable's event collection came back.
                if (own.hasPartner && sameDevice(slots.at(own.partnerSlot), id))
                    add(Type::ReopenEvents, i);
                // Connected by cable already (the command collection arrived first).
                else if (sameDevice(own, id) && !m.eventsOpen(k))
                    add(Type::OpenEvents, i);
            } else if (sameDevice(own, id)) {
                add(Type::OpenEvents, i);
            }
        } else if (isReceiverKind(k)) {
            if (m.eventsOpen(k)) continue;
            if (sameDevice(own, modelIdentityOf(slots, id)) || sameDevice(own, id))
                add(Type::OpenEvents, i);
        } else if (!m.open && sameDevice(own, id)) {
            add(Type::OpenEvents, i);
            return;
        }
    }
}

}  // namespace

bool ModelConnection::eventsOpen(uint16_t kind) const {
    return std::find(openEvents.begin(), openEvents.end(), kind) != openEvents.end();
}

LinkRoute routeForKind(uint16_t deviceKind) {
    if (isReceiverKind(deviceKind)) return LinkRoute::Receiver;
    return opensShared(deviceKind) ? LinkRoute::Shared : LinkRoute::Cable;
}

std::vector<ConnectionAction> actionsOnArrival(const SlotList& slots, size_t slot,
                                               std::span<const ModelConnection> models) {
    std::vector<ConnectionAction> out;
    if (slot >= slots.size()) return out;
    const DeviceIdentity id = slots.at(slot);
    if (!kindFacts(id.deviceKind)) return out;
    if (id.collectionRole == kRoleEvent) {
        eventsArrived(slots, id, models, out);
        return out;
    }
    if (id.collectionRole != kRoleCommand) return out;
    if (!opensShared(id.deviceKind) && partnerConnected(slots, slot)) {
        // Both connections present: the cable wins; a receiver arriving changes nothing.
        if (!isReceiverKind(id.deviceKind)) switchLink(slots, slot, models, out);
        return out;
    }
    const DeviceIdentity key = modelIdentityOf(slots, id);
    const auto m = modelFor(models, id.deviceKind, key);
    // A link that is open already stays as it is.
    if (!m || models[*m].open) return out;
    ConnectionAction a{Type::Open, *m, id.path, routeForKind(id.deviceKind), key, 0};
    out.push_back(std::move(a));
    return out;
}

std::vector<ConnectionAction> actionsOnRemoval(const SlotList& slots, size_t slot,
                                               std::span<const ModelConnection> models) {
    std::vector<ConnectionAction> out;
    if (slot >= slots.size()) return out;
    const DeviceIdentity id = slots.at(slot);
    if (!kindFacts(id.deviceKind)) return out;
    const DeviceIdentity key = modelIdentityOf(slots, id);
    if (id.collectionRole == kRoleEvent) {
        for (size_t i = 0; i < models.size(); ++i) {
            const ModelConnection& m = models[i];
            if (!sameModelKind(m, id.deviceKind)) continue;
            if (!sameDevice(m.identity, id) && !sameDevice(m.identity, key)) continue;
            out.push_back({Type::CloseEvents, i, {}, {}, {}, id.deviceKind});
            break;
        }
        return out;
    }
    if (id.collectionRole != kRoleCommand) return out;
    const bool twoLinks = isCableKind(id.deviceKind) || isReceiverKind(id.deviceKind);
    if (twoLinks && partnerConnected(slots, slot)) {
        // The cable went while the receiver is present: the receiver takes over.
        if (isCableKind(id.deviceKind)) switchLink(slots, slot, models, out);
        return out;
    }
    if (const auto m = modelFor(models, id.deviceKind, key))
        out.push_back({Type::Close, *m, {}, {}, {}, 0});
    return out;
}

}  // namespace md
