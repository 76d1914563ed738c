#pragma once
// Numbers carried by a HID device path: "vid_", "pid_", "&mi_", "&col" followed by a
// hexadecimal number (matched without regard to case; 0 when absent).

#include <cstdint>
#include <string>
#include <string_view>

namespace md {

uint16_t parseVid(std::string_view path);
uint16_t parsePid(std::string_view path);
uint16_t parseInterfaceNumber(std::string_view path);
uint16_t parseCollectionNumber(std::string_view path);

// The node part of a path (before '#').
std::string_view pathNode(std::string_view path);

// Builds the path of collection `collection` (1-based) of an interface.
std::string makeHidPath(std::string_view node, uint16_t vendorId, uint16_t productId,
                        int interfaceNumber, bool multiInterface, size_t collection,
                        size_t collectionCount);

}  // namespace md
