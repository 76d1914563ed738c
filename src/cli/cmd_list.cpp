#include <json/json.h>

#include <cstdio>
#include <ostream>

#include "cli/cli_context.h"
#include "devlink/hid/hid_collection_list.h"

namespace md::cli {
namespace {

std::string hex4(uint16_t v) {
    char b[8];
    std::snprintf(b, sizeof b, "%04x", v);
    return b;
}

}  // namespace

int runList(CliContext& ctx) {
    if (!ctx.args.empty()) {
        *ctx.err << "list: unexpected argument '" << ctx.args.front() << "'\n";
        return kExitBadArguments;
    }
    std::vector<HidCollectionSummary> all;
    if (!listHidCollections(*ctx.backend, all)) {
        *ctx.err << "list: the HID interfaces could not be listed\n";
        return kExitDeviceError;
    }
    if (ctx.json) {
        Json::Value arr(Json::arrayValue);
        for (const auto& c : all) {
            Json::Value v;
            v["path"] = c.path;
            v["vendor"] = c.vendorId;
            v["product"] = c.productId;
            v["interface"] = c.interfaceNumber;
            v["collection"] = c.collectionNumber;
            v["usagePage"] = c.usagePage;
            v["usage"] = c.usage;
            v["input"] = c.inputLength;
            v["output"] = c.outputLength;
            v["feature"] = c.featureLength;
            v["usable"] = c.usable;
            arr.append(v);
        }
        Json::StreamWriterBuilder w;
        w["indentation"] = "  ";
        *ctx.out << Json::writeString(w, arr) << '\n';
        return kExitOk;
    }
    for (const auto& c : all) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "  vid=%s pid=%s if=%d col=%u page=%s usage=%s in=%u out=%u feat=%u%s",
                      hex4(c.vendorId).c_str(), hex4(c.productId).c_str(), c.interfaceNumber,
                      c.collectionNumber, hex4(c.usagePage).c_str(), hex4(c.usage).c_str(),
                      c.inputLength, c.outputLength, c.featureLength, c.usable ? "" : " unusable");
        *ctx.out << c.path << line << '\n';
    }
    return kExitOk;
}

}  // namespace md::cli
