#include "devlink/hid/hid_path.h"

#include <cctype>
#include <cstdio>

namespace md {
namespace {

// Reads the hexadecimal number right after the first case-insensitive occurrence of token,
// as "%x" would (leading blanks and an optional "0x" accepted), truncated to 16 bits.
uint16_t numberAfter(std::string_view path, std::string_view token) {
    if (path.size() < token.size()) return 0;
    for (size_t i = 0; i + token.size() <= path.size(); ++i) {
        bool match = true;
        for (size_t j = 0; j < token.size() && match; ++j) {
            match = std::tolower(static_cast<unsigned char>(path[i + j])) == token[j];
        }
        if (!match) continue;
        size_t p = i + token.size();
        while (p < path.size() && std::isspace(static_cast<unsigned char>(path[p]))) ++p;
        if (p + 1 < path.size() && path[p] == '0' && (path[p + 1] == 'x' || path[p + 1] == 'X') &&
            p + 2 < path.size() && std::isxdigit(static_cast<unsigned char>(path[p + 2]))) {
            p += 2;
        }
        uint32_t v = 0;
        for (; p < path.size() && std::isxdigit(static_cast<unsigned char>(path[p])); ++p) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(path[p])));
            v = (v << 4) | static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
        }
        return static_cast<uint16_t>(v);
    }
    return 0;
}

}  // namespace

uint16_t parseVid(std::string_view path) {
    return numberAfter(path, "vid_");
}
uint16_t parsePid(std::string_view path) {
    return numberAfter(path, "pid_");
}
uint16_t parseInterfaceNumber(std::string_view path) {
    return numberAfter(path, "&mi_");
}
uint16_t parseCollectionNumber(std::string_view path) {
    return numberAfter(path, "&col");
}

std::string_view pathNode(std::string_view path) {
    return path.substr(0, path.find('#'));
}

std::string makeHidPath(std::string_view node, uint16_t vendorId, uint16_t productId,
                        int interfaceNumber, bool multiInterface, size_t collection,
                        size_t collectionCount) {
    char tail[64];
    int n = std::snprintf(tail, sizeof tail, "#vid_%04x&pid_%04x", vendorId, productId);
    if (multiInterface && interfaceNumber >= 0) {
        n += std::snprintf(tail + n, sizeof tail - static_cast<size_t>(n), "&mi_%02x",
                           interfaceNumber & 0xFF);
    }
    if (collectionCount > 1) {
        std::snprintf(tail + n, sizeof tail - static_cast<size_t>(n), "&col%02zx",
                      collection & 0xFF);
    }
    std::string path(node);
    path += tail;
    return path;
}

}  // namespace md
