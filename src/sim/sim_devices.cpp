#include "sim/sim_devices.h"

#include "sim/state_file.h"

#include <algorithm>
#include <sstream>

#include "sim/firmware_catalog.h"
#include "sim/report_descriptors.h"
#include "sim/state_file.h"

namespace md::sim {

namespace {
DeviceConfig fourCollectionConfig(std::string label, UsbIds ids, PointerKind kind) {
    DeviceConfig c;
    c.label = std::move(label);
    c.vendorId = ids.vendorId;
    c.productId = ids.productId;
    c.interfaces.push_back({0, bootInterfaceDescriptor(kind), false, 0});
    c.interfaces.push_back({1, vendorInterfaceDescriptor(kind), true, kEventReportId});
    return c;
}
}  // namespace

std::shared_ptr<Firmware> makeMouseFirmware() {
    return std::make_shared<Firmware>(mouseFirmwareDefinition(kMouseIds.productId));
}

std::shared_ptr<Firmware> makeKeyboardFirmware(UsbIds ids) {
    return std::make_shared<Firmware>(keyboardFirmwareDefinition(ids.productId));
}

std::shared_ptr<Firmware> makeMousepadFirmware(UsbIds ids) {
    return std::make_shared<Firmware>(mousepadFirmwareDefinition(ids.productId));
}

std::shared_ptr<Firmware> makeHeadsetFirmware() {
    return std::make_shared<Firmware>(headsetFirmwareDefinition(kHeadsetIds.productId));
}

std::shared_ptr<VirtualDevice> makeMouse(std::shared_ptr<Firmware> firmware) {
    if (!firmware) firmware = makeMouseFirmware();
    return std::make_shared<VirtualDevice>(
        fourCollectionConfig("mouse", kMouseIds, PointerKind::Mouse), std::move(firmware), false);
}

std::shared_ptr<VirtualDevice> makeReceiver(std::shared_ptr<Firmware> mouseFirmware, UsbIds ids) {
    if (!mouseFirmware) mouseFirmware = makeMouseFirmware();
    return std::make_shared<VirtualDevice>(
        fourCollectionConfig("receiver", ids, PointerKind::Mouse), std::move(mouseFirmware), true);
}

std::shared_ptr<VirtualDevice> makeKeyboard(std::shared_ptr<Firmware> firmware, UsbIds ids) {
    if (!firmware) firmware = makeKeyboardFirmware(ids);
    return std::make_shared<VirtualDevice>(
        fourCollectionConfig("keyboard", ids, PointerKind::Keyboard), std::move(firmware), false);
}

std::shared_ptr<VirtualDevice> makeKeyboardReceiver(std::shared_ptr<Firmware> keyboardFirmware,
                                                    UsbIds ids) {
    if (!keyboardFirmware) keyboardFirmware = makeKeyboardFirmware();
    return std::make_shared<VirtualDevice>(
        fourCollectionConfig("keyboard-receiver", ids, PointerKind::Keyboard),
        std::move(keyboardFirmware), true);
}

std::shared_ptr<VirtualDevice> makeMousepad(std::shared_ptr<Firmware> firmware, UsbIds ids) {
    if (!firmware) firmware = makeMousepadFirmware(ids);
    return std::make_shared<VirtualDevice>(
        fourCollectionConfig("mousepad", ids, PointerKind::Keyboard), std::move(firmware), false);
}

std::shared_ptr<VirtualDevice> makeHeadset(std::shared_ptr<Firmware> firmware) {
    if (!firmware) firmware = makeHeadsetFirmware();
    DeviceConfig c;
    c.label = "headset";
    c.vendorId = kHeadsetIds.vendorId;
    c.productId = kHeadsetIds.productId;
    c.interfaces.push_back({3, headsetInterfaceDescriptor(), true, kHeadsetEventReportId});
    return std::make_shared<VirtualDevice>(std::move(c), std::move(firmware), false);
}

const std::vector<std::string>& simulatedKinds() {
    static const std::vector<std::string> kinds = {
        "mouse", "receiver", "keyboard", "keyboard-receiver", "mousepad", "headset"};
    return kinds;
}

std::vector<std::string> splitKinds(const std::string& list) {
    std::vector<std::string> out;
    std::stringstream ss(list);
    std::string item;
    while (std::getline(ss, item, ','))
        if (!item.empty()) out.push_back(item);
    return out;
}

std::shared_ptr<VirtualBus> makeVirtualBus(const std::vector<std::string>& kinds,
                                           const std::string& stateFile, std::string* error) {
    const auto& known = simulatedKinds();
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (std::find(known.begin(), known.end(), kinds[i]) == known.end()) {
            if (error) *error = "unknown device kind \"" + kinds[i] + "\"";
            return nullptr;
        }
        if (std::find(kinds.begin(), kinds.begin() + static_cast<std::ptrdiff_t>(i), kinds[i]) !=
            kinds.begin() + static_cast<std::ptrdiff_t>(i)) {
            if (error) *error = "device kind \"" + kinds[i] + "\" given twice";
            return nullptr;
        }
    }
    auto has = [&](const char* k) {
        return std::find(kinds.begin(), kinds.end(), k) != kinds.end();
    };

    if (!stateFile.empty()) {
        if (const std::string problem = stateFileProblem(stateFile); !problem.empty()) {
            if (error) *error = problem;
            return nullptr;
        }
    }
    auto bus = std::make_shared<VirtualBus>();
    if (!bus->setStateFile(stateFile)) {
        if (error) *error = "another run has been using " + stateFile + " for 30 s; try again later";
        return nullptr;
    }
    std::shared_ptr<Firmware> mouseFw, keyboardFw;
    if (has("mouse") || has("receiver")) {
        mouseFw = makeMouseFirmware();
        bus->persist(mouseFw);
    }
    if (has("keyboard") || has("keyboard-receiver")) {
        keyboardFw = makeKeyboardFirmware();
        bus->persist(keyboardFw);
    }
    for (const auto& kind : kinds) {
        std::shared_ptr<VirtualDevice> d;
        if (kind == "mouse")
            d = makeMouse(mouseFw);
        else if (kind == "receiver")
            d = makeReceiver(mouseFw);
        else if (kind == "keyboard")
            d = makeKeyboard(keyboardFw);
        else if (kind == "keyboard-receiver")
            d = makeKeyboardReceiver(keyboardFw);
        else if (kind == "mousepad")
            d = makeMousepad();
        else
            d = makeHeadset();
        if (kind == "mousepad" || kind == "headset") bus->persist(d->firmwarePtr());
        bus->plug(d);
    }
    return bus;
}

}  // namespace md::sim
