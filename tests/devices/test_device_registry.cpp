#include <gtest/gtest.h>

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

TEST(DeviceRegistry, RowsAreInPageOrderWithTheirDataFolders) {
    // Every model has a folder of its own: none keeps its files in the data root itself.
    const char* folders[] = {"mouse", "keyboard", "MousePad", "headset"};
    ASSERT_EQ(kDeviceModels.size(), std::size(folders));
    for (size_t i = 0; i < kDeviceModels.size(); ++i) {
        EXPECT_STREQ(kDeviceModels[i].folder, folders[i]);
        EXPECT_EQ(std::string(kDeviceModels[i].pageClass).rfind("Orrivale", 0), 0u);
    }
}

}  // namespace
}  // namespace md
