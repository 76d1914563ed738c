#include <gtest/gtest.h>

#include <vector>

#include "devlink/fake_hid_tree.h"
#include "devlink/hid/hid_descriptor.h"
#include "devlink/hid/hid_usages.h"

namespace md {
namespace {

using test::descriptors::kBootKeyboard;
using test::descriptors::kConsumerAndVendor;

TEST(HidUsages, BootKeyboardCapsAndUsages) {
    const HidDescriptor d = parseHidDescriptor(kBootKeyboard);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollectionInfo& kb = d.collections[0];
    EXPECT_EQ(kb.caps.inputReportByteLength, 9);
    EXPECT_EQ(kb.caps.outputReportByteLength, 2);
    ASSERT_EQ(kb.buttonCaps[0].size(), 2u);  // modifiers and the key array
    EXPECT_TRUE(kb.buttonCaps[0][0].isRange);
    EXPECT_EQ(kb.buttonCaps[0][0].usageMin, 0xE0);
    EXPECT_EQ(kb.buttonCaps[0][0].usageMax, 0xE7);
    EXPECT_EQ(hidMaxUsageListLength(HidReportType::Input, 0x07, kb), 14u);
    EXPECT_EQ(hidMaxUsageListLength(HidReportType::Output, 0x08, kb), 5u);

    const uint8_t report[9] = {0, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0};  // left shift, a, b
    uint16_t usages[14] = {};
    uint32_t n = 14;
    EXPECT_EQ(hidGetUsages(HidReportType::Input, 0x07, 0, usages, n, kb, report), hidp::kSuccess);
    ASSERT_EQ(n, 3u);
    EXPECT_EQ(usages[0], 0xE1);
    EXPECT_EQ(usages[1], 0x04);
    EXPECT_EQ(usages[2], 0x05);

    n = 2;
    EXPECT_EQ(hidGetUsages(HidReportType::Input, 0x07, 0, usages, n, kb, report),
              hidp::kBufferTooSmall);
    EXPECT_EQ(n, 2u);
    n = 14;
    EXPECT_EQ(hidGetUsages(HidReportType::Input, 0x09, 0, usages, n, kb, report),
              hidp::kUsageNotFound);
    n = 14;
    const uint8_t tooShort[3] = {0, 0x02, 0};
    EXPECT_EQ(hidGetUsages(HidReportType::Input, 0x07, 0, usages, n, kb, tooShort),
              hidp::kInvalidReportLength);
}

TEST(HidUsages, ConsumerUsageArrayAndReportIds) {
    const HidDescriptor d = parseHidDescriptor(kConsumerAndVendor);
    ASSERT_EQ(d.collections.size(), 2u);
    const HidCollectionInfo& cc = d.collections[0];
    EXPECT_EQ(cc.caps.usagePage, 0x0C);
    EXPECT_EQ(cc.caps.inputReportByteLength, 3);
    const HidCollectionInfo& vendor = d.collections[1];
    EXPECT_EQ(vendor.caps.usagePage, 0xFF1C);
    EXPECT_EQ(vendor.caps.usage, 0x92);
    EXPECT_EQ(vendor.caps.inputReportByteLength, 65);
    EXPECT_EQ(vendor.caps.outputReportByteLength, 65);

    const uint8_t event[3] = {3, 0x01, 0x04};
    uint16_t u[1] = {};
    uint32_t n = 1;
    EXPECT_EQ(hidGetUsages(HidReportType::Input, 0x0C, 0, u, n, cc, event), hidp::kSuccess);
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(u[0], 0x0401);
    const uint8_t other[3] = {4, 0x01, 0x04};
    n = 1;
    EXPECT_EQ(hidGetUsages(HidReportType::Input, 0x0C, 0, u, n, cc, other),
              hidp::kIncompatibleReportId);
}

TEST(HidUsages, ValuesAreScaledOntoThePhysicalRange) {
    // X axis: logical -127..127, physical 0..1000, unit exponent -2; Y: no physical range.
    const std::vector<uint8_t> desc = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09,
                                       0x30, 0x15, 0x81, 0x25, 0x7F, 0x35, 0x00, 0x46, 0xE8,
                                       0x03, 0x55, 0x0E, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02,
                                       0x09, 0x31, 0x35, 0x00, 0x45, 0x00, 0x81, 0x02, 0xC0};
    const HidDescriptor d = parseHidDescriptor(desc);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollectionInfo& c = d.collections[0];
    ASSERT_EQ(c.valueCaps[0].size(), 2u);
    EXPECT_EQ(c.valueCaps[0][0].unitsExp, -2);
    EXPECT_EQ(c.valueCaps[0][0].logicalMin, -127);
    EXPECT_EQ(c.valueCaps[0][0].physicalMax, 1000);

    struct Case {
        uint8_t x, y;
        uint32_t rawX;
        int32_t scaledX, scaledY;
    };
    const Case cases[] = {
        {0x81, 0x81, 0x81, 0, -127}, {0x7F, 0x7F, 0x7F, 1000, 127}, {0x00, 0x00, 0, 500, 0}};
    for (const auto& k : cases) {
        const uint8_t report[3] = {1, k.x, k.y};
        uint32_t raw = 0;
        int32_t sx = 0, sy = 0;
        EXPECT_EQ(hidGetUsageValue(HidReportType::Input, 1, 0, 0x30, raw, c, report),
                  hidp::kSuccess);
        EXPECT_EQ(raw, k.rawX);
        EXPECT_EQ(hidGetScaledUsageValue(HidReportType::Input, 1, 0, 0x30, sx, c, report),
                  hidp::kSuccess);
        EXPECT_EQ(sx, k.scaledX);
        EXPECT_EQ(hidGetScaledUsageValue(HidReportType::Input, 1, 0, 0x31, sy, c, report),
                  hidp::kSuccess);
        EXPECT_EQ(sy, k.scaledY);
    }
    EXPECT_DOUBLE_EQ(hidPhysicalValue(c.valueCaps[0][0], 1000), 10.0);
    const uint8_t outOfRange[3] = {1, 0x80, 0};  // -128 is below the logical minimum
    int32_t s = 0;
    EXPECT_EQ(hidGetScaledUsageValue(HidReportType::Input, 1, 0, 0x30, s, c, outOfRange),
              hidp::kValueOutOfRange);
    uint32_t raw = 0;
    EXPECT_EQ(hidGetUsageValue(HidReportType::Input, 1, 0, 0x38, raw, c, outOfRange),
              hidp::kUsageNotFound);
    const uint8_t wrongId[3] = {2, 0, 0};
    EXPECT_EQ(hidGetUsageValue(HidReportType::Input, 1, 0, 0x30, raw, c, wrongId),
              hidp::kIncompatibleReportId);
}

}  // namespace
}  // namespace md
