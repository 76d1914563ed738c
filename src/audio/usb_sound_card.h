#pragma once
// Finds a USB audio card by its USB id in the ALSA proc tree ("/proc/asound/cardN/usbid",
// which holds "0c76:1630"). Looked up at every call, so a re-plugged device with a new card
// number is found again.

#include <cstdint>
#include <optional>
#include <string>

namespace md {

inline constexpr uint16_t kHeadsetVendorId = 0x0C76;
inline constexpr uint16_t kHeadsetProductId = 0x1630;

// The lowest card number whose usbid matches; nothing when no card does.
std::optional<int> findUsbSoundCard(const std::string& asoundRoot, uint16_t vendor,
                                    uint16_t product);

}  // namespace md
