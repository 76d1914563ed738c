// The installed udev rule against the supported-device table: it gives the seat's user exactly
// the USB interfaces the program opens (vendor, product and interface of every table row, with
// the keyboard and mousepad identifiers the program ships), never a node to everybody.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "devlink/link/device_id_config.h"

namespace md {
namespace {

using Interface = std::tuple<std::string, std::string, std::string>;  // vendor, product, number

std::string hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

TEST(UdevRule, TagsExactlyTheVendorInterfacesOfTheDeviceTable) {
    std::set<Interface> expected;
    const std::string data = std::string(MD_SOURCE_DIR) + "/DefaultData/";
    for (const DeviceIdentity& row : loadDeviceTable(data + "devices.json", "")) {
        ASSERT_NE(row.vendorId, 0) << "every row is completed by the shipped configuration";
        expected.emplace(hex(row.vendorId, 4), hex(row.productId, 4), hex(row.interfaceNumber, 2));
    }

    std::ifstream rule(std::string(MD_SOURCE_DIR) + "/packaging/udev/70-mouse-driver.rules");
    ASSERT_TRUE(rule);
    const std::regex tagged(
        R"re(^ENV\{ID_VENDOR_ID\}=="([0-9a-f]{4})", ENV\{ID_MODEL_ID\}=="([0-9a-f]{4})", )re"
        R"re(ENV\{ID_USB_INTERFACE_NUM\}=="([0-9a-f]{2})", TAG\+="uaccess"$)re");
    // Access goes through the seat's uaccess tag only: no mode, group or owner of the node.
    const std::regex permissions(R"re((^|[ ,])(MODE|GROUP|OWNER) *:?=)re");
    std::set<Interface> tagsGiven;
    std::string line;
    bool importsUsbIds = false;
    while (std::getline(rule, line)) {
        if (line.empty() || line[0] == '#') continue;
        EXPECT_FALSE(std::regex_search(line, permissions)) << line;
        if (line.find("IMPORT{builtin}=\"usb_id\"") != std::string::npos) importsUsbIds = true;
        if (line.find("uaccess") == std::string::npos) continue;
        // Every tagging line names vendor, product and interface, after the ids are imported.
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, tagged)) << line;
        EXPECT_TRUE(importsUsbIds) << line;
        tagsGiven.emplace(m[1], m[2], m[3]);
    }
    EXPECT_EQ(tagsGiven, expected);
}

}  // namespace
}  // namespace md

namespace md {
namespace {

// The metainfo's modaliases (what software centres match hardware by) name exactly the devices
// of the shipped table.
TEST(Metainfo, ModaliasesAreTheDevicesOfTheTable) {
    std::set<std::string> expected;
    const std::string data = std::string(MD_SOURCE_DIR) + "/DefaultData/";
    char text[40];
    for (const DeviceIdentity& row : loadDeviceTable(data + "devices.json", "")) {
        std::snprintf(text, sizeof text, "usb:v%04Xp%04Xd*", row.vendorId, row.productId);
        expected.insert(text);
    }
    std::ifstream in(std::string(MD_SOURCE_DIR) +
                     "/packaging/desktop/org.mousedriver.MouseDriver.metainfo.xml.in");
    ASSERT_TRUE(in);
    const std::regex modalias(R"re(<modalias>([^<]*)</modalias>)re");
    std::set<std::string> found;
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_search(line, m, modalias)) found.insert(m[1]);
    }
    EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace md
