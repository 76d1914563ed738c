#pragma once
// The running application as the host of command-line verbs: the collections its models have
// open, their sessions, and the models' drivers. After a verb changed a
// device, its model reads list, profile and page again. Everything here runs on the UI thread.

#include <string>
#include <vector>

#include "cli/device_host.h"

namespace md {

class COrrivaleUSBDevice;
class DeviceManager;

class AppDeviceHost final : public cli::DeviceHost {
  public:
    explicit AppDeviceHost(DeviceManager& devices) : m_devices(devices) {}

    std::vector<cli::SelectedDevice> attached() override;
    DeviceSession* session(const cli::SelectedDevice& device) override;
    DeviceDriver* driver(const cli::SelectedDevice& device) override;
    void changed(const cli::SelectedDevice& device) override;

  private:
    // The model whose open command link is the device's collection, or nullptr.
    COrrivaleUSBDevice* modelOf(const cli::SelectedDevice& device) const;

    DeviceManager& m_devices;
};

// Runs a mouse-driver-cli command line on the host (the D-Bus "RunCommand"): the tool's own
// code with the application's devices; only verbs that drive devices are taken.
int runHostedCommand(AppDeviceHost& host, const std::vector<std::string>& args, std::string& out,
                     std::string& err);

}  // namespace md
