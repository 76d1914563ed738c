#include "devlink/hid/hid_collection_list.h"

#include "devlink/hid/hid_descriptor.h"
#include "devlink/hid/hid_path.h"

namespace md {

bool listHidCollections(HidBackend& backend, std::vector<HidCollectionSummary>& out) {
    out.clear();
    std::vector<HidInterfaceInfo> interfaces;
    if (!backend.listInterfaces(interfaces)) return false;
    for (const auto& itf : interfaces) {
        const HidDescriptor desc = parseHidDescriptor(itf.descriptor);
        const size_t n = desc.collections.size();
        for (size_t i = 0; i < n; ++i) {
            const HidCollectionInfo& c = desc.collections[i];
            HidCollectionSummary s;
            s.path = makeHidPath(itf.node, itf.vendorId, itf.productId, itf.interfaceNumber,
                                 itf.multiInterface, i + 1, n);
            s.vendorId = itf.vendorId;
            s.productId = itf.productId;
            s.interfaceNumber = itf.interfaceNumber;
            s.collectionNumber = parseCollectionNumber(s.path);
            s.usagePage = c.caps.usagePage;
            s.usage = c.caps.usage;
            s.inputLength = c.caps.inputReportByteLength;
            s.outputLength = c.caps.outputReportByteLength;
            s.featureLength = c.caps.featureReportByteLength;
            s.usable = c.usable;
            out.push_back(std::move(s));
        }
    }
    return true;
}

}  // namespace md
