#include <gtest/gtest.h>

#include <set>
#include <string>

#include "devices/device_registry.h"

namespace md {
namespace {

TEST(DeviceRegistry, EveryConnectionKindMapsToItsModelAndName) {
    struct Case {
        uint16_t kind;
        const char* name;
        const char* model;
        bool cable, receiver;
        uint16_t modelKind;
    };
    const Case cases[] = {
        {kind::kMouseWired, "mouse", "mouse", true, false, kind::kMouseWired},
        {kind::kMouseWireless, "receiver", "mouse", false, true, kind::kMouseWired},
        {kind::kKeyboard, "keyboard", "keyboard", true, false, kind::kKeyboard},
        {kind::kKeyboardOther, "keyboard-receiver", "keyboard", false, true, kind::kKeyboard},
        {kind::kMousePad, "mousepad", "mousepad", false, false, kind::kMousePad},
        {kind::kHeadset, "headset", "headset", false, false, kind::kHeadset},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(modelRowForKind(c.kind), nullptr);
        EXPECT_STREQ(modelRowForKind(c.kind)->name, c.model);
        EXPECT_STREQ(connectionName(c.kind), c.name);
        EXPECT_EQ(kindForConnectionName(c.name), std::optional<uint16_t>(c.kind));
        EXPECT_EQ(isCableKind(c.kind), c.cable);
        EXPECT_EQ(isReceiverKind(c.kind), c.receiver);
        EXPECT_EQ(modelKindOf(c.kind), c.modelKind);
    }
    EXPECT_EQ(modelRowForKind(4), nullptr);
    EXPECT_STREQ(connectionName(4), "");
    EXPECT_EQ(kindForConnectionName("hub"), std::nullopt);
}

// The descriptions agree with the kinds they name and with each other.
TEST(DeviceRegistry, DescriptionsAgreeWithTheirKinds) {
    std::set<std::string> folders;
    for (const DeviceModelRow& r : kDeviceModels) {
        SCOPED_TRACE(r.name);
        const KindFacts* cable = kindFacts(kindValue(r.kind));
        ASSERT_NE(cable, nullptr);
        EXPECT_EQ(cable->modelKind, r.kind);
        EXPECT_STREQ(connectionName(kindValue(r.kind)), r.name);
        // A receiver link is a second kind whose model is this one.
        EXPECT_EQ(r.has(kCapReceiverLink), r.receiverKind != r.kind);
        EXPECT_EQ(isReceiverKind(kindValue(r.receiverKind)), r.has(kCapReceiverLink));
        EXPECT_EQ(modelKindOf(kindValue(r.receiverKind)), kindValue(r.kind));
        // One lighting path each; a charger is a power status; the shared link is the block's.
        EXPECT_NE(r.has(kCapSettingsBlock), r.has(kCapLightingBlock));
        if (r.has(kCapCharger)) EXPECT_TRUE(r.has(kCapPowerStatus));
        EXPECT_EQ(opensShared(kindValue(r.kind)), r.has(kCapLightingBlock));
        EXPECT_EQ(r.has(kCapKeyTable), r.keyCount > 0);
        EXPECT_GT(r.ledCount, 0);
        EXPECT_TRUE(folders.insert(r.folder).second) << "a data folder of its own";
    }
}

}  // namespace
}  // namespace md
