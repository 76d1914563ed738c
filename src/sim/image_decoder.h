#pragma once
// Decoder for the 0x55AA memory image in which the host writes macros (command 0x15) and recoil
// sequences (command 0x17): signature, total length, entry count, ten reserved bytes, a table of
// entry offsets, then per entry an event count, two reserved bytes and 4-byte events
// (delay low, delay high, type with bit 7 = "down", button).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace md::sim {

struct ImageEvent {
    uint16_t delayMs = 0;
    uint8_t type = 0;  // bit 7 removed
    bool down = false;
    uint8_t button = 0;

    bool operator==(const ImageEvent&) const = default;
};

struct ImageEntry {
    uint16_t offset = 0;  // of the entry header from the start of the image
    std::vector<ImageEvent> events;
};

struct DecodedImage {
    bool valid = false;
    std::string error;  // why the image is malformed (empty when valid)
    uint16_t totalLength = 0;
    std::vector<ImageEntry> entries;
};

// Decodes an image from device memory. Never reads outside `memory`. An image whose entries do
// not follow each other without gaps, or whose total length does not match its contents, is
// reported as malformed; the entries that could be read are still returned.
DecodedImage decodeMemoryImage(std::span<const uint8_t> memory);

}  // namespace md::sim
