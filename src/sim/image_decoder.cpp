#include "sim/image_decoder.h"

#include "common/le_bytes.h"

namespace md::sim {

namespace {
constexpr size_t kHeaderSize = 16;

DecodedImage fail(DecodedImage img, std::string why) {
    img.valid = false;
    img.error = std::move(why);
    return img;
}
}  // namespace

DecodedImage decodeMemoryImage(std::span<const uint8_t> memory) {
    DecodedImage img;
    if (memory.size() < kHeaderSize) return fail(std::move(img), "memory smaller than a header");
    if (getLe16(memory, 0) != 0x55AA) return fail(std::move(img), "no 0x55AA signature");
    img.totalLength = getLe16(memory, 2);
    const size_t total = img.totalLength;
    const size_t n = getLe16(memory, 4);
    if (total > memory.size()) return fail(std::move(img), "total length exceeds the memory");
    if (total < kHeaderSize + 2 * n) return fail(std::move(img), "offset table exceeds the image");

    size_t expected = kHeaderSize + 2 * n;  // where the next entry must start
    for (size_t i = 0; i < n; ++i) {
        ImageEntry entry;
        entry.offset = getLe16(memory, kHeaderSize + 2 * i);
        const size_t at = entry.offset;
        if (at + 4 > total)
            return fail(std::move(img), "entry " + std::to_string(i) + " lies outside the image");
        const size_t e = getLe16(memory, at);
        if (at + 4 + 4 * e > total)
            return fail(std::move(img),
                        "events of entry " + std::to_string(i) + " run past the image");
        for (size_t k = 0; k < e; ++k) {
            const size_t p = at + 4 + 4 * k;
            ImageEvent ev;
            ev.delayMs = getLe16(memory, p);
            ev.type = static_cast<uint8_t>(memory[p + 2] & 0x7F);
            ev.down = (memory[p + 2] & 0x80) != 0;
            ev.button = memory[p + 3];
            entry.events.push_back(ev);
        }
        img.entries.push_back(std::move(entry));
        if (at != expected)
            return fail(std::move(img), "entry " + std::to_string(i) + " is not where expected");
        expected = at + 4 + 4 * e;
    }
    if (expected != total) return fail(std::move(img), "total length does not match the entries");
    img.valid = true;
    return img;
}

}  // namespace md::sim
