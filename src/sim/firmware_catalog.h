#pragma once
// Factory memories of the four firmware models.
//
//   mouse     12 key-table entries (the 11 buttons in the mouse's own order, then one unused
//             entry 00 00 00), 4 KiB macro memory, 4 KiB recoil memory, 8 hardware profiles of
//             128 bytes (read and written at p × 128), power status 80 % on battery.
//   keyboard  122 key-table entries in matrix order (column by column over the key grid, then
//             the keys outside it; the four positions whose factory code is 20 00 00 are not
//             keys), LED numbers 6 × column + row (keys outside the grid from 140 on), 4 KiB
//             macro memory, 16 colour-table pages, 8 profiles of 25 bytes (block p at p × 25,
//             byte 0 of the memory is the active profile), powered by cable.
//   mousepad  lighting only: 8 lighting blocks written at p × 64 and read at p × 25, a 15-LED
//             frame buffer, power status with the phone-type byte.
//   headset   lighting blocks as the mousepad's, 13 LEDs set by the 17-byte output reports.

#include <array>
#include <cstdint>

#include "sim/firmware.h"

namespace md::sim {

FirmwareDefinition mouseFirmwareDefinition(uint16_t productId);
FirmwareDefinition keyboardFirmwareDefinition(uint16_t productId);
FirmwareDefinition mousepadFirmwareDefinition(uint16_t productId);
FirmwareDefinition headsetFirmwareDefinition(uint16_t productId);

// The factory key-table entries of the mouse's 11 buttons, by the host's button index.
extern const std::array<std::array<uint8_t, 3>, 11> kMouseButtonCodes;

}  // namespace md::sim
