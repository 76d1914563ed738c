#pragma once
// The version list the update tests ask about: the mouse's and the headset's firmware and the
// application itself.

#include <cstdint>
#include <vector>

#include "online/update_info.h"

namespace md::test {

inline UpdateEntry firmwareEntry(const char* name, const char* key, uint32_t version, bool hex) {
    UpdateEntry e;
    e.name = name;
    e.type = "FW";
    e.appKey = key;
    e.version = version;
    e.hexVersion = hex;
    return e;
}

inline std::vector<UpdateEntry> sampleVersionList() {
    UpdateEntry app = firmwareEntry("AP", "ZELVO_0_APP_ALL_1", 2302, false);
    app.type = kApplicationType;
    return {firmwareEntry("Gaming Mouse", "ZELVO_2_MOUSE_FW_1", 0x0102, true),
            firmwareEntry("Gaming Headset", "ZELVO_7_HS6533_FW_1", 103, false), app};
}

}  // namespace md::test
