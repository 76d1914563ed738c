#pragma once
// The wire format of the RGB SDK network protocol that other lighting programs speak: the
// 16-byte "ORGB" header, the packet ids, the controller data block in the layout of each
// protocol version (0 to 4), and the client requests that carry data. Little-endian; strings
// carry a 16-bit length that counts their terminating zero. Pure functions, no sockets.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "devices/lighting/led_colour.h"

namespace md::rgb {

inline constexpr uint32_t kProtocolVersion = 4;  // the highest this server speaks
inline constexpr uint16_t kDefaultPort = 6742;
inline constexpr size_t kHeaderSize = 16;

enum PacketId : uint32_t {
    kRequestControllerCount = 0,
    kRequestControllerData = 1,
    kRequestProtocolVersion = 40,
    kSetClientName = 50,
    kDeviceListUpdated = 100,
    kRequestProfileList = 150,
    kRequestSaveProfile = 151,
    kRequestLoadProfile = 152,
    kRequestDeleteProfile = 153,
    kRequestPluginList = 200,
    kResizeZone = 1000,
    kUpdateLeds = 1050,
    kUpdateZoneLeds = 1051,
    kUpdateSingleLed = 1052,
    kSetCustomMode = 1100,
    kUpdateMode = 1101,
    kSaveMode = 1102,
};

struct Header {
    uint32_t device = 0;
    uint32_t id = 0;
    uint32_t size = 0;
};
// The header at the start of bytes; nothing when the magic is not "ORGB" or bytes is short.
std::optional<Header> parseHeader(std::span<const uint8_t> bytes);
// A whole packet: header and data.
std::vector<uint8_t> packet(uint32_t device, uint32_t id, std::span<const uint8_t> data = {});
std::vector<uint8_t> uint32Packet(uint32_t device, uint32_t id, uint32_t value);

// Device types and the other enumerations of the controller block.
enum DeviceType : int32_t {
    kTypeKeyboard = 5,
    kTypeMouse = 6,
    kTypeMousemat = 7,
    kTypeHeadset = 8
};
enum ZoneType : int32_t { kZoneSingle = 0, kZoneLinear = 1, kZoneMatrix = 2 };
enum ModeFlag : uint32_t {
    kHasSpeed = 1u << 0,
    kHasDirectionLR = 1u << 1,
    kHasBrightness = 1u << 4,
    kHasPerLedColour = 1u << 5,
    kHasModeSpecificColour = 1u << 6,
    kHasRandomColour = 1u << 7,
};
enum ColourMode : uint32_t {
    kColourNone = 0,
    kColourPerLed = 1,
    kColourModeSpecific = 2,
    kColourRandom = 3
};
inline constexpr uint32_t kNoLed = 0xFFFFFFFF;  // an empty place of a matrix map

// RGBColor: red, green, blue and one unused byte.
inline uint32_t packColour(const lighting::LedColour& c) {
    return uint32_t(c.red) | uint32_t(c.green) << 8 | uint32_t(c.blue) << 16;
}
inline lighting::LedColour unpackColour(uint32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), 0xFF};
}

struct Mode {
    std::string name;
    int32_t value = 0;  // the device's own mode number (-1: Direct)
    uint32_t flags = 0;
    uint32_t speedMin = 0, speedMax = 0;
    uint32_t brightnessMin = 0, brightnessMax = 0;
    uint32_t coloursMin = 0, coloursMax = 0;
    uint32_t speed = 0;
    uint32_t brightness = 0;
    uint32_t direction = 0;
    uint32_t colourMode = kColourNone;
    std::vector<uint32_t> colours;
    bool operator==(const Mode&) const = default;
};

struct Zone {
    std::string name;
    int32_t type = kZoneLinear;
    uint32_t ledCount = 0;
    // Matrix zones: height × width LED indexes (kNoLed where none), row by row.
    uint32_t matrixHeight = 0, matrixWidth = 0;
    std::vector<uint32_t> matrix;
};

struct Controller {
    int32_t type = kTypeMouse;
    std::string name, vendor, description, version, serial, location;
    std::vector<Mode> modes;
    int32_t activeMode = 0;
    std::vector<Zone> zones;  // their LEDs follow each other in leds
    std::vector<std::string> leds;
    std::vector<uint32_t> colours;  // one per LED
};

// The controller data block as the response to kRequestControllerData in protocol `version`
// (its leading data_size included).
std::vector<uint8_t> encodeController(const Controller& c, uint32_t version);
// The profile list response: the names given (protocol 2 and later).
std::vector<uint8_t> encodeProfileList(const std::vector<std::string>& names);

// Requests with data. Each answers nothing for data that is too short or inconsistent.
std::optional<std::vector<uint32_t>> parseUpdateLeds(std::span<const uint8_t> data);
struct ZoneLeds {
    uint32_t zone = 0;
    std::vector<uint32_t> colours;
};
std::optional<ZoneLeds> parseUpdateZoneLeds(std::span<const uint8_t> data);
struct SingleLed {
    int32_t led = 0;
    uint32_t colour = 0;
};
std::optional<SingleLed> parseUpdateSingleLed(std::span<const uint8_t> data);
struct ModeUpdate {
    int32_t index = 0;
    Mode mode;
};
// An update-mode or save-mode request in protocol `version`.
std::optional<ModeUpdate> parseModeUpdate(std::span<const uint8_t> data, uint32_t version);
// A zero-terminated string request (client name, profile name); at most maxLength bytes kept.
std::string parseString(std::span<const uint8_t> data, size_t maxLength = 256);

}  // namespace md::rgb
