// Malformed descriptors spoil the collection they lie in and nothing else; none may crash or
// read outside its bytes (the asan preset checks the latter).
#include <gtest/gtest.h>

#include <vector>

#include "devlink/hid/hid_descriptor.h"

namespace md {
namespace {

// A good consumer collection used around the bad parts.
const std::vector<uint8_t> kGood = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x25, 0x01,
                                    0x75, 0x08, 0x95, 0x02, 0x09, 0xE9, 0x81, 0x02, 0xC0};

std::vector<uint8_t> cat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct BadCase {
    const char* name;
    std::vector<uint8_t> bytes;
    size_t collections;
    std::vector<bool> usable;
};

TEST(HidDescriptorMalformed, BadPartsMakeTheirCollectionUnusable) {
    const std::vector<uint8_t> open = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01};
    std::vector<uint8_t> pushes = open;
    for (int i = 0; i < 40; ++i) pushes.push_back(0xA4);
    pushes.push_back(0xC0);
    std::vector<uint8_t> deep = open;
    for (int i = 0; i < 80; ++i) deep.insert(deep.end(), {0xA1, 0x00});
    for (int i = 0; i < 81; ++i) deep.push_back(0xC0);

    const BadCase cases[] = {
        {"truncated item data",
         cat({kGood, {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}}),
         2,
         {true, false}},
        {"truncated long item", cat({open, {0xFE, 0x20, 0x01, 0x00}}), 1, {false}},
        {"collection never closed", cat({kGood, open}), 2, {true, false}},
        {"end collection without open", cat({kGood, {0xC0}, kGood}), 2, {true, false}},
        {"push stack overflow", cat({pushes, kGood}), 2, {false, true}},
        {"pop on empty stack", cat({open, {0xB4, 0xC0}, kGood}), 2, {false, true}},
        {"huge report size times count",
         cat({open,
              {0x77, 0xFF, 0xFF, 0xFF, 0x7F, 0x97, 0xFF, 0xFF, 0xFF, 0x7F, 0x09, 0x30, 0x81, 0x02,
               0xC0},
              kGood}),
         2,
         {false, true}},
        {"report size times count beyond the largest report",
         cat({open,
              {0x75, 0x08, 0x96, 0x00, 0x40, 0x09, 0x30, 0x81, 0x02, 0x81, 0x02, 0x81, 0x02,
               0xC0}}),
         1,
         {false}},
        {"reserved main tag", cat({open, {0xD0, 0xC0}, kGood}), 2, {false, true}},
        {"reserved global tag", cat({open, {0xC5, 0x01, 0xC0}, kGood}), 2, {false, true}},
        {"reserved local tag", cat({open, {0x69, 0x01, 0xC0}, kGood}), 2, {false, true}},
        {"reserved item type", cat({open, {0x0C, 0xC0}, kGood}), 2, {false, true}},
        {"report ID 0", cat({open, {0x85, 0x00, 0xC0}, kGood}), 2, {false, true}},
        {"usage maximum below minimum",
         cat({open, {0x19, 0x05, 0x29, 0x01, 0x81, 0x02, 0xC0}}),
         1,
         {false}},
        {"too deeply nested", deep, 1, {false}},
        {"state spoilt outside collections", cat({{0xB4}, kGood}), 1, {false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HidDescriptor d = parseHidDescriptor(c.bytes);
        ASSERT_EQ(d.collections.size(), c.collections);
        for (size_t i = 0; i < c.collections; ++i) {
            EXPECT_EQ(d.collections[i].usable, c.usable[i])
                << "collection " << i << ": " << d.collections[i].error;
        }
        EXPECT_FALSE(d.notes.empty());
    }
}

TEST(HidDescriptorMalformed, EveryPrefixOfARealDescriptorIsSafe) {
    const std::vector<uint8_t> full = cat({kGood,
                                           kGood,
                                           {0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04,
                                            0x09, 0x01, 0x75, 0x08, 0x95, 0x40, 0x81, 0x02, 0xC0}});
    for (size_t n = 0; n <= full.size(); ++n) {
        const std::vector<uint8_t> prefix(full.begin(), full.begin() + static_cast<long>(n));
        const HidDescriptor d = parseHidDescriptor(prefix);
        EXPECT_EQ(d.collections.size(), countTopLevelCollections(prefix));
    }
}

TEST(HidDescriptorMalformed, LongItemsAreSkipped) {
    const auto bytes = cat({{0xFE, 0x02, 0x10, 0xAA, 0xBB}, kGood});
    const HidDescriptor d = parseHidDescriptor(bytes);
    ASSERT_EQ(d.collections.size(), 1u);
    EXPECT_TRUE(d.collections[0].usable);
    EXPECT_EQ(d.collections[0].caps.inputReportByteLength, 3);
}

}  // namespace
}  // namespace md
