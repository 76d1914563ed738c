#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "devlink/link/device_id_config.h"

namespace md {
namespace {

class TempFile {
  public:
    explicit TempFile(const std::string& text) {
        char tmpl[] = "/tmp/md-devices-XXXXXX";
        const int fd = ::mkstemp(tmpl);
        ::close(fd);
        m_path = tmpl;
        std::ofstream(m_path) << text;
    }
    ~TempFile() { std::filesystem::remove(m_path); }
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};

TEST(DeviceIdConfig, FillsOnlyTheRowsThatShipAsZero) {
    TempFile base(R"({ // the identifiers
        "keyboard": { "vendorId": "0x248A", "productId": "0x5B60" },
        "keyboardReceiver": { "vendorId": 12815, "productId": "2260" },
        "mousepad": { "vendorId": "248a", "productId": "0x5b70" } })");
    TempFile user(R"({ "mousepad": { "vendorId": "0x1234", "productId": "0x5678" } })");
    const DeviceTable t = loadDeviceTable(base.path(), user.path());
    EXPECT_EQ(t[0].vendorId, 0x248A);
    EXPECT_EQ(t[1].productId, 0x5B60);
    EXPECT_EQ(t[2].vendorId, 0x320F);
    EXPECT_EQ(t[3].productId, 0x2260);
    EXPECT_EQ(t[8].vendorId, 0x1234);  // the user's file wins
    EXPECT_EQ(t[9].productId, 0x5678);
    EXPECT_EQ(t[4].vendorId, 0x248A);  // shipped rows untouched
    EXPECT_EQ(t[4].productId, 0x5B50);
}

TEST(DeviceIdConfig, MalformedFilesAreReportedAndIgnored) {
    const char* bad[] = {
        "{ not json",
        "[1, 2]",
        R"({ "keyboard": { "vendorId": "0x12345", "productId": 1 } })",
        R"({ "keyboard": { "vendorId": -1, "productId": 1 } })",
        R"({ "keyboard": "0x248A" })",
        R"({ "mousepad": { "vendorId": "zz", "productId": "0x1" } })",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        TempFile f(text);
        DeviceIdConfig cfg;
        cfg.keyboard = DeviceIds{1, 2};
        std::string error;
        EXPECT_FALSE(readDeviceIdConfig(f.path(), cfg, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(cfg.keyboard->vendorId, 1);  // unchanged
        EXPECT_FALSE(cfg.mousepad.has_value());
    }
    DeviceIdConfig cfg;
    std::string error;
    EXPECT_TRUE(readDeviceIdConfig("/nonexistent/devices.json", cfg, error));
    TempFile f("{ broken");
    testing::internal::CaptureStderr();
    const DeviceTable t = loadDeviceTable(f.path(), "");
    loadDeviceTable(f.path(), "");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(t[0].vendorId, 0);
    EXPECT_NE(err.find(f.path()), std::string::npos);
    EXPECT_EQ(err.find(f.path()), err.rfind(f.path()));  // reported once
}

}  // namespace
}  // namespace md
