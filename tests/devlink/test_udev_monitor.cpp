#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "devlink/hid/udev_monitor.h"

namespace md {
namespace {

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

TEST(UdevMonitor, WithoutUdevdTheDeviceFolderWakesDetection) {
    if (::access("/run/udev/control", F_OK) == 0) GTEST_SKIP() << "udevd runs: its events are used";
    const auto dir =
        std::filesystem::temp_directory_path() / ("md-devroot-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        UdevMonitor monitor(dir.string());
        ASSERT_GE(monitor.fd(), 0);
        EXPECT_FALSE(readable(monitor.fd()));
        std::ofstream(dir / "hidraw7") << "";
        EXPECT_TRUE(readable(monitor.fd()));
        monitor.drain();
        EXPECT_FALSE(readable(monitor.fd()));
        std::filesystem::remove(dir / "hidraw7");
        EXPECT_TRUE(readable(monitor.fd()));
    }
    std::filesystem::remove_all(dir);
    EXPECT_EQ(UdevMonitor((dir / "missing").string()).fd(), -1);
}

}  // namespace
}  // namespace md
