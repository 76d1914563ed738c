#pragma once
// What a device tile drives of its device model between arrival and removal. The page base
// implements it; the tile knows nothing else of pages.

class QWidget;

namespace md {

class DeviceLink;

class TileDevice {
  public:
    virtual ~TileDevice() = default;

    virtual DeviceLink& commandLink() = 0;
    // The model's row in the device table.
    virtual int tableIndex() const = 0;
    virtual bool hasPowerStatus() const = 0;
    // A device behind a receiver may be switched off while its receiver answers.
    virtual bool isReachable() = 0;
    virtual void onDeviceAttached() = 0;
    virtual void readDeviceSettings() = 0;
    virtual void refreshPowerStatus() = 0;
    virtual bool previewEnabled() const = 0;
    virtual void pushLedFrame() = 0;
    virtual void setDeviceTile(QWidget* tile) = 0;
};

}  // namespace md
