#include "audio/usb_sound_card.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace md {

std::optional<int> findUsbSoundCard(const std::string& asoundRoot, uint16_t vendor,
                                    uint16_t product) {
    char wanted[16];
    std::snprintf(wanted, sizeof wanted, "%04x:%04x", vendor, product);
    std::optional<int> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(asoundRoot, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("card", 0) != 0 || name.size() == 4 || name.size() > 7) continue;
        if (name.find_first_not_of("0123456789", 4) != std::string::npos) continue;
        std::ifstream in(entry.path() / "usbid");
        std::string id;
        if (!(in >> id) || id.size() != 9) continue;
        for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (id != wanted) continue;
        const int card = std::stoi(name.substr(4));
        if (!found || card < *found) found = card;
    }
    return found;
}

}  // namespace md
