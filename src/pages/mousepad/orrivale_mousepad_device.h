#pragma once
// The RGB mousepad's device model ("XML/DeviceXml/mousepaddevice.xml"): the lighting of the
// host-lit devices over fifteen LEDs, each frame sent as an LED frame of the command link, and
// the phone charger, whose state and phone type the device tile shows from the power status.

#include "devlink/link/device_info.h"
#include "pages/base/host_lighting_device.h"

namespace md {

class COrrivaleMousePadDevice : public CHostLightingDevice {
    Q_OBJECT
  public:
    explicit COrrivaleMousePadDevice(QWidget* parent = nullptr);

    QString controlClass() const override { return QStringLiteral("OrrivaleMousePadDevice"); }
    const DeviceInfo& deviceInfo() const { return m_deviceInfo; }

    // Reads the device information, then loads, shows and lights as the host-lit devices do.
    void onDeviceAttached() override;
    // The charger's state and phone type (the power status, read as for the other kinds).
    void refreshPowerStatus() override { refreshPowerStatusShared(); }

  protected:
  private:
    DeviceInfo m_deviceInfo{};
};

}  // namespace md
