#include <json/json.h>

#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/device_host.h"
#include "cli/device_select.h"
#include "cli/lighting_block_verbs.h"
#include "cli/verb_session.h"
#include "devices/device_registry.h"
#include "devlink/link/device_link.h"

namespace md::cli {
namespace {

std::string hexBytes(std::span<const uint8_t> b) {
    std::string s;
    char x[4];
    for (size_t i = 0; i < b.size(); ++i) {
        std::snprintf(x, sizeof x, i ? " %02x" : "%02x", b[i]);
        s += x;
    }
    return s;
}

const char* chargeText(uint8_t v) {
    switch (v) {
        case 0:
            return "powered by cable";
        case 1:
            return "charging";
        case 2:
            return "on battery";
        default:
            return "unknown";
    }
}

const char* phoneText(uint8_t v) {
    switch (v) {
        case 1:
            return "iPhone";
        case 2:
            return "Samsung";
        case 3:
            return "other";
        default:
            return "none";
    }
}

}  // namespace

int runInfo(CliContext& ctx) {
    if (!ctx.args.empty()) {
        *ctx.err << "info: unexpected argument '" << ctx.args.front() << "'\n";
        return kExitBadArguments;
    }
    int rc = kExitOk;
    const auto dev = selectDevice(ctx, rc);
    if (!dev) return rc;
    // Inside the application the device's open session answers; alone, the tool opens it.
    std::unique_ptr<DeviceSession> own;
    DeviceSession* device = ctx.host ? ctx.host->session(*dev) : nullptr;
    if (!ctx.host) {
        own = std::make_unique<DeviceSession>(ctx.backend);
        if (!own->open(dev->identity.path, dev->route)) {
            *ctx.err << "cannot open " << dev->identity.path << " (see README: device access)\n";
            return kExitDeviceError;
        }
        device = own.get();
    } else if (!device) {
        *ctx.err << "no " << kindName(dev->identity.deviceKind) << " found\n";
        return kExitNoDevice;
    }
    DeviceLink& link = device->link();
    const int session = link.beginSession();
    DeviceInfo info{};
    const int infoResult = link.readDeviceInfo(info);
    std::array<uint8_t, 6> power{};
    const int powerResult = link.readStatus(power, 6, 0);
    const int endResult = link.endSession();
    power[3] = link.isWireless() ? 1 : 0;  // set by the host for display
    own.reset();

    if (ctx.json) {
        Json::Value v;
        v["device"] = kindName(dev->identity.deviceKind);
        v["slot"] = static_cast<Json::UInt>(dev->slot);
        v["path"] = dev->identity.path;
        v["vendor"] = dev->identity.vendorId;
        v["product"] = dev->identity.productId;
        v["session"] = session;
        v["deviceInfoResult"] = infoResult;
        if (infoResult == 1) {
            Json::Value bytes(Json::arrayValue);
            for (uint8_t b : info) bytes.append(b);
            v["deviceInfo"] = bytes;
            v["keys"] = static_cast<Json::UInt>(keyEntriesOf(info));
            v["macroCapacity"] = static_cast<Json::UInt>(macroCapacityOf(info));
        }
        v["powerResult"] = powerResult;
        if (powerResult == 1) {
            v["battery"] = power[0];
            v["charge"] = power[1];
            v["wireless"] = power[3];
            v["phone"] = power[5];
            if (modelHas(dev->identity.deviceKind, kCapCharger)) v["charger"] = chargerText(power);
        }
        v["endSession"] = endResult;
        Json::StreamWriterBuilder w;
        w["indentation"] = "  ";
        *ctx.out << Json::writeString(w, v) << '\n';
    } else {
        char head[64];
        std::snprintf(head, sizeof head, " (%04x:%04x, slot %zu)", dev->identity.vendorId,
                      dev->identity.productId, dev->slot);
        *ctx.out << "device: " << kindName(dev->identity.deviceKind) << head << "\n"
                 << "path: " << dev->identity.path << "\n"
                 << "session: "
                 << (session == 1 ? "begun" : "not begun (" + std::to_string(session) + ")")
                 << "\n";
        if (infoResult == 1) {
            *ctx.out << "device information: " << hexBytes(info) << "\n"
                     << "keys: " << keyEntriesOf(info) << "\n"
                     << "macro capacity: " << macroCapacityOf(info) << " bytes\n";
        } else {
            *ctx.out << "device information: not read (" << resultText(infoResult) << ")\n";
        }
        if (powerResult == 1 && modelHas(dev->identity.deviceKind, kCapCharger)) {
            *ctx.out << "charger: " << chargerText(power) << "\n";
        } else if (powerResult == 1) {
            *ctx.out << "power: battery " << static_cast<int>(power[0]) << "%, "
                     << chargeText(power[1]) << (power[3] ? ", 2.4G" : ", wired") << ", phone "
                     << phoneText(power[5]) << "\n";
        } else {
            *ctx.out << "power: not read (" << resultText(powerResult) << ")\n";
        }
    }
    if (session != 1 || infoResult != 1 || powerResult != 1) {
        const int code = session != 1 ? session : infoResult != 1 ? infoResult : powerResult;
        return deviceResult(ctx, "info", code);
    }
    return kExitOk;
}

}  // namespace md::cli
