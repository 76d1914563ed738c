// The connection policy: which link opens as collections come and go, as actions on models.
#include <gtest/gtest.h>

#include "devlink/link/connection_policy.h"
#include "devlink/link/device_id_config.h"

namespace md {
namespace {

using Type = ConnectionAction::Type;

// The shipped table with its configured identifiers; one model per device, known by the
// identity of its command collection's first row (as the application creates them).
class ConnectionPolicyTest : public ::testing::Test {
  protected:
    ConnectionPolicyTest() {
        const std::string data = std::string(MD_SOURCE_DIR) + "/DefaultData/";
        table = loadDeviceTable(data + "devices.json", "");
        reset();
    }
    void reset() {
        slots.assign(table);
        models.clear();
        for (uint16_t k : {kind::kMouseWired, kind::kKeyboard, kind::kMousePad, kind::kHeadset}) {
            ModelConnection m;
            m.identity = table[size_t(rowOf(k, kRoleCommand))];
            models.push_back(m);
        }
    }
    int rowOf(uint16_t k, uint16_t role) const {
        for (size_t i = 0; i < table.size(); ++i)
            if (table[i].deviceKind == k && table[i].collectionRole == role) return int(i);
        return -1;
    }
    // The detector claims the collection of this kind and role at path.
    size_t plug(uint16_t k, uint16_t role, const std::string& path) {
        DeviceIdentity probed = table[size_t(rowOf(k, role))];
        probed.path = path;
        return *slots.claimSlot(probed);
    }
    std::vector<ConnectionAction> arrive(size_t slot) {
        return actionsOnArrival(slots, slot, models);
    }
    std::vector<ConnectionAction> leave(size_t slot) {
        slots.freeSlot(slot);
        return actionsOnRemoval(slots, slot, models);
    }
    // Carries an action out on the model list, as a caller would.
    void apply(const std::vector<ConnectionAction>& actions) {
        for (const ConnectionAction& a : actions) {
            ModelConnection& m = models[a.model];
            if (a.type == Type::Open) m = {a.identity, true, a.route, m.openEvents};
            if (a.type == Type::SwitchLink) m.route = a.route;
            if (a.type == Type::Close) m.open = false;
            if (a.type == Type::OpenEvents) m.openEvents.push_back(a.eventKind);
        }
    }

    DeviceTable table;
    SlotList slots;
    std::vector<ModelConnection> models;  // mouse, keyboard, mousepad, headset
};

TEST_F(ConnectionPolicyTest, EachKindOpensByItsRoute) {
    struct Case {
        uint16_t kind;
        size_t model;
        LinkRoute route;
    };
    const Case cases[] = {{kind::kMouseWired, 0, LinkRoute::Cable},
                          {kind::kMouseWireless, 0, LinkRoute::Receiver},
                          {kind::kKeyboard, 1, LinkRoute::Cable},
                          {kind::kMousePad, 2, LinkRoute::Shared},
                          {kind::kHeadset, 3, LinkRoute::Shared}};
    for (const Case& c : cases) {
        SCOPED_TRACE(connectionName(c.kind));
        reset();
        const auto actions = arrive(plug(c.kind, kRoleCommand, "/dev/hidraw1"));
        ASSERT_EQ(actions.size(), 1u);
        EXPECT_EQ(actions[0].type, Type::Open);
        EXPECT_EQ(actions[0].model, c.model);
        EXPECT_EQ(actions[0].path, "/dev/hidraw1");
        EXPECT_EQ(actions[0].route, c.route);
        EXPECT_EQ(actions[0].route, routeForKind(c.kind));
    }
}

TEST_F(ConnectionPolicyTest, TheCableWinsAndTheReceiverTakesOverWhenItGoes) {
    const size_t receiver = plug(kind::kMouseWireless, kRoleCommand, "/dev/hidraw2");
    auto a = arrive(receiver);
    ASSERT_EQ(a.size(), 1u);
    // The receiver's model is known by its cable's identity.
    EXPECT_EQ(a[0].identity.deviceKind, kind::kMouseWired);
    apply(a);

    const size_t cable = plug(kind::kMouseWired, kRoleCommand, "/dev/hidraw3");
    a = arrive(cable);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0],
              (ConnectionAction{Type::SwitchLink, 0, "/dev/hidraw3", LinkRoute::Cable, {}, 0}));
    apply(a);

    // A receiver that comes back while the cable is there changes nothing.
    EXPECT_TRUE(leave(receiver).empty());
    EXPECT_TRUE(arrive(plug(kind::kMouseWireless, kRoleCommand, "/dev/hidraw4")).empty());

    // The cable goes: the receiver takes over.
    a = leave(cable);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0],
              (ConnectionAction{Type::SwitchLink, 0, "/dev/hidraw4", LinkRoute::Receiver, {}, 0}));
    apply(a);

    // The receiver goes too: the link closes.
    for (size_t s = 0; s < slots.size(); ++s)
        if (slots.at(s).path == "/dev/hidraw4") a = leave(s);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].type, Type::Close);
    EXPECT_EQ(a[0].model, 0u);
}

TEST_F(ConnectionPolicyTest, EventCollectionsFollowTheirDevice) {
    // The event collection arriving first opens, once; its leaving closes it.
    const size_t events = plug(kind::kMouseWired, kRoleEvent, "/dev/hidraw5");
    auto a = arrive(events);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0],
              (ConnectionAction{
                  Type::OpenEvents, 0, "/dev/hidraw5", LinkRoute::Cable, {}, kind::kMouseWired}));
    apply(a);
    apply(arrive(plug(kind::kMouseWired, kRoleCommand, "/dev/hidraw6")));
    a = leave(events);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].type, Type::CloseEvents);
    EXPECT_EQ(a[0].eventKind, kind::kMouseWired);
    // The headset's collections never touch the mouse.
    for (const ConnectionAction& x : arrive(plug(kind::kHeadset, kRoleCommand, "/dev/hidraw7")))
        EXPECT_EQ(x.model, 3u);
}

TEST_F(ConnectionPolicyTest, UnknownSlotsAndAnOpenLinkGiveNoAction) {
    EXPECT_TRUE(actionsOnArrival(slots, 999, models).empty());
    EXPECT_TRUE(actionsOnRemoval(slots, 999, models).empty());
    const size_t pad = plug(kind::kMousePad, kRoleCommand, "/dev/hidraw8");
    apply(arrive(pad));
    EXPECT_TRUE(arrive(pad).empty());  // open already: it stays as it is
}

}  // namespace
}  // namespace md
