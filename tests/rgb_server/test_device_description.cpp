// The devices as the protocol's controllers, built from their model descriptions: LED counts
// and names, the keyboard's matrix, the modes with the lighting panel's options, and a mode
// update turned into the profile's lighting.
#include <gtest/gtest.h>

#include "devices/device_registry.h"
#include "devices/keyboard/keyboard_layout.h"
#include "devices/lighting/light_files.h"
#include "rgb_server/device_description.h"

namespace md::rgb {
namespace {

DeviceFacts factsOf(const DeviceModelRow& row) {
    DeviceFacts f;
    f.model = &row;
    f.connection = row.name;
    f.path = "/dev/hidraw9";
    lighting::readDefaultLightNames(std::string(MD_SOURCE_DIR) + "/DefaultData/default_light.json",
                                    row.lightTable, f.effects, f.areas);
    f.lighting.mode = 3;
    f.lighting.speed = 2;
    f.lighting.brightness = 4;
    f.lighting.red = 0x10;
    return f;
}

TEST(DeviceDescription, EveryModelWithItsLedsZonesAndModes) {
    struct Case {
        const char* model;
        int32_t type;
        size_t leds;
        const char* firstLed;
    };
    const Case cases[] = {
        {"mouse", kTypeMouse, 6, "Wheel"},
        {"keyboard", kTypeKeyboard, 126, "Key: "},
        {"mousepad", kTypeMousemat, 15, "LED 1"},
        {"headset", kTypeHeadset, 13, "LED 1"},
    };
    for (const Case& c : cases) {
        const DeviceModelRow* row = nullptr;
        for (const DeviceModelRow& r : kDeviceModels)
            if (std::string(r.name) == c.model) row = &r;
        ASSERT_TRUE(row) << c.model;
        const Controller ctl = describeDevice(factsOf(*row));
        EXPECT_EQ(ctl.type, c.type) << c.model;
        EXPECT_EQ(ctl.leds.size(), c.leds) << c.model;
        EXPECT_EQ(ctl.leds[0].rfind(c.firstLed, 0), 0u) << c.model << ": " << ctl.leds[0];
        ASSERT_EQ(ctl.zones.size(), 1u);
        EXPECT_EQ(ctl.zones[0].ledCount, c.leds);
        EXPECT_EQ(ctl.colours.size(), c.leds);
        ASSERT_GE(ctl.modes.size(), 2u) << c.model;
        EXPECT_EQ(ctl.modes[0].name, "Direct");
        EXPECT_EQ(ctl.modes[0].colourMode, kColourPerLed);
        // The active mode is the device's own mode 3.
        EXPECT_EQ(ctl.modes[size_t(ctl.activeMode)].value, 3) << c.model;
        for (size_t i = 1; i < ctl.modes.size(); ++i) {
            const Mode& m = ctl.modes[i];
            EXPECT_FALSE(m.name.empty());
            EXPECT_EQ(m.name.find('_'), std::string::npos) << m.name;
            if (m.flags & kHasSpeed) {
                EXPECT_EQ(m.speedMax, 4u);
            }
            if (m.flags & kHasModeSpecificColour) {
                EXPECT_EQ(m.colours.size(), 1u);
            }
        }
    }
}

TEST(DeviceDescription, TheKeyboardMatrixIsItsKeyGrid) {
    const Controller ctl = describeDevice(factsOf(kDeviceModels[1]));
    const Zone& z = ctl.zones[0];
    EXPECT_EQ(z.type, kZoneMatrix);
    ASSERT_EQ(z.matrix.size(), size_t(z.matrixHeight) * z.matrixWidth);
    size_t placed = 0;
    for (uint32_t v : z.matrix) {
        if (v == kNoLed) continue;
        EXPECT_LT(v, 126u);
        ++placed;
    }
    EXPECT_GT(placed, 80u);
    // The LED of a grid cell is the key of that cell, named after it.
    const uint8_t key = kKeyboardKeyGrid[1][1];
    ASSERT_LT(key, kKeyboardKeys);
    EXPECT_EQ(z.matrix[kKeyboardGridColumns + 1], key);
}

TEST(DeviceDescription, ModeUpdatesBecomeTheProfilesLightingWithinTheAnnouncedRanges) {
    Mode described;
    described.value = 2;
    described.flags = kHasSpeed | kHasBrightness | kHasDirectionLR | kHasModeSpecificColour;
    described.speedMax = 4;
    described.brightnessMax = 4;
    Mode asked = described;
    asked.speed = 99;  // beyond the range: its end
    asked.brightness = 1;
    asked.direction = 7;  // any non-zero: the other direction
    asked.colours = {0x563412};
    LightSetting base;
    base.multiColor = 1;
    const LightSetting l = lightingOfMode(asked, described, base);
    EXPECT_EQ(l.mode, 2);
    EXPECT_EQ(l.speed, 4);
    EXPECT_EQ(l.brightness, 1);
    EXPECT_EQ(l.direction, 1);
    EXPECT_EQ(l.red, 0x12);
    EXPECT_EQ(l.green, 0x34);
    EXPECT_EQ(l.blue, 0x56);
    EXPECT_EQ(l.multiColor, 1);  // the mode offers no random colours: left as it was
}

}  // namespace
}  // namespace md::rgb
