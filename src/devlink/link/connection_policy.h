#pragma once
// Which link a device model opens when its collections come and go: the device's own cable
// wins over its receiver, a receiver takes over when the cable goes, the mousepad and headset
// open their one collection shared, and event collections follow their command link. Slot
// events in, actions out; the caller carries the actions out on its sessions (the application
// on its pages, the command-line tool on its one device) and runs the policy again on the next
// event. No I/O, no toolkit.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "devlink/link/device_identity.h"
#include "devlink/link/device_session.h"
#include "devlink/link/slot_list.h"

namespace md {

// What the policy knows of one device model.
struct ModelConnection {
    DeviceIdentity identity;  // the identity the model is known by (a receiver's: its cable's)
    bool open = false;        // its command link
    LinkRoute route = LinkRoute::Cable;
    std::vector<uint16_t> openEvents;  // kinds whose event collection it has open

    bool eventsOpen(uint16_t kind) const;
};

struct ConnectionAction {
    enum class Type {
        Open,          // open the command link on path by route; the model is known by identity
        SwitchLink,    // move the open command link to path by route
        Close,         // close the command link (the device left)
        OpenEvents,    // open the event collection of eventKind on path
        ReopenEvents,  // the event collection of eventKind came back on path
        CloseEvents,   // close the event collection of eventKind
    };
    Type type;
    size_t model;  // index into the models the policy was given
    std::string path;
    LinkRoute route = LinkRoute::Cable;
    DeviceIdentity identity;
    uint16_t eventKind = 0;

    bool operator==(const ConnectionAction&) const = default;
};

// The route a command collection of this kind is opened by.
LinkRoute routeForKind(uint16_t deviceKind);

// The slot's collection arrived (the detector claimed it) or left (the detector freed it; the
// slot still names the collection).
std::vector<ConnectionAction> actionsOnArrival(const SlotList& slots, size_t slot,
                                               std::span<const ModelConnection> models);
std::vector<ConnectionAction> actionsOnRemoval(const SlotList& slots, size_t slot,
                                               std::span<const ModelConnection> models);

}  // namespace md
