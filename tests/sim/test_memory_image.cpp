// Decoding of the macro and recoil memory images.

#include <gtest/gtest.h>

#include "sim/image_decoder.h"

namespace md::sim {
namespace {

TEST(MemoryImage, RecoilImageWithFourEmptyEntries) {
    std::vector<uint8_t> img(40, 0);
    img[0] = 0xAA;
    img[1] = 0x55;
    img[2] = 40;
    img[4] = 4;
    for (uint8_t i = 0; i < 4; ++i) img[16 + 2 * i] = static_cast<uint8_t>(24 + 4 * i);
    img.resize(128, 0xEE);  // memory beyond the image
    const DecodedImage d = decodeMemoryImage(img);
    ASSERT_TRUE(d.valid) << d.error;
    EXPECT_EQ(d.totalLength, 40);
    ASSERT_EQ(d.entries.size(), 4u);
    EXPECT_TRUE(d.entries[3].events.empty());
}

TEST(MemoryImage, MalformedImagesAreReported) {
    EXPECT_FALSE(decodeMemoryImage(std::vector<uint8_t>(64, 0)).valid);  // no signature
    std::vector<uint8_t> img(64, 0);
    img[0] = 0xAA;
    img[1] = 0x55;
    img[2] = 30;  // does not match one entry of one event (16 + 2 + 8 = 26)
    img[4] = 1;
    img[16] = 18;
    img[18] = 1;
    const DecodedImage d = decodeMemoryImage(img);
    EXPECT_FALSE(d.valid);
    EXPECT_FALSE(d.error.empty());
    EXPECT_EQ(d.entries.size(), 1u);

    img[18] = 200;  // events run past the image
    EXPECT_FALSE(decodeMemoryImage(img).valid);
}

}  // namespace
}  // namespace md::sim
