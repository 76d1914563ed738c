#pragma once
// Every HID top-level collection a backend offers, with the identifiers and capabilities that
// diagnostics show, computed from the report descriptors without opening any device.

#include <cstdint>
#include <string>
#include <vector>

#include "devlink/hid/hid_backend.h"

namespace md {

struct HidCollectionSummary {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    int interfaceNumber = -1;
    uint16_t collectionNumber = 0;  // as in the path: 0 when the interface has one collection
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputLength = 0;
    uint16_t outputLength = 0;
    uint16_t featureLength = 0;
    bool usable = true;
};

// False when the backend could not list its interfaces.
bool listHidCollections(HidBackend& backend, std::vector<HidCollectionSummary>& out);

}  // namespace md
