#pragma once
// The device model of a device whose lighting the host computes frame by frame: the headset and
// the mousepad. It keeps the device's lighting block (LightingBlockDevice), runs the lighting
// worker that computes the effect and sends the frames to the device (HostLightingWorker),
// paints the page's light buttons with the worker's colours, and carries the profile and
// lighting panels of the page. The kinds add what is their own (the headset's audio pages, the
// mousepad's charger status).
//
// Threads: the worker computes and sends on its own thread and tells the page through one
// queued call at a time; the event reader only posts its codes to the UI thread.

#include <QPointer>
#include <atomic>
#include <memory>
#include <vector>

#include "devices/lighting/host_effect_stepper.h"
#include "devices/lighting/host_lighting_worker.h"
#include "devices/lighting/lighting_block_device.h"
#include "pages/base/frame_pacer.h"
#include "pages/base/orrivale_usb_device.h"
#include "panels/device_profile_ui.h"
#include "panels/light_control_ui.h"
#include "profiles/basic_profiledata.h"

namespace md {

class CHostLightingDevice : public COrrivaleUSBDevice {
    Q_OBJECT
  public:
    // Message to the owner window after the lighting block was read (wParam: the hardware
    // profile).
    static constexpr int kHardwareProfileMessage = 3328;
    // The tile's timer that reads the settings again after the device asked for it.
    static constexpr int kSyncTimerId = 1002;
    static constexpr int kSyncTimerMs = 500;
    static constexpr uint16_t kSyncEvent = 0x401;
    static constexpr uint16_t kCountEvent = 0x404;

    // profile: the kind's profile data; deviceKind: the model's kind; kind: its effects;
    // container: the page's panel of the light and key buttons; lightType: the lighting panel's
    // device type.
    CHostLightingDevice(std::unique_ptr<CBasicProfiledata> profile, DeviceKind deviceKind,
                        const lighting::HostEffectKind& kind, const char* container, int lightType,
                        QWidget* parent);
    ~CHostLightingDevice() override;

    CBasicProfiledata& basicProfile() { return *m_profile; }
    lighting::LightingBlockDevice& lightingDevice() { return m_block; }
    const lighting::HostLightingWorker* lightingWorker() const { return m_worker.get(); }
    CLightControlUI* lightPanel() const { return m_lightPanel; }
    CDeviceProfileUI* profilePanel() const { return m_profilePanel; }
    int eventCount() const { return m_eventCount; }

    // --- overrides ---
    // Builds the page, loads the current profile and shows it.
    void bindPageControls() override;
    int loadLighting() override;
    void pushLedFrame() override;
    void onDeviceAttached() override;
    bool takeDeviceSettings() override;
    void readDeviceSettings() override;
    int loadProfile() override;
    DeviceDriver* driver() override { return &m_block; }
    void showSettings() override;
    void resetToDefaults() override;
    // The lighting block of hardware profile `profile`; the other arguments are not used.
    int writeSettingsToDevice(int profile, int) override;
    void loadMacroAndLightLists() override { loadEffectLists(); }
    // No key table: nothing to write is success.
    int writeKeyAssignments(int) override { return 1; }
    void setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) override;
    void setSameMode(bool flag) override;
    void setPreviewEnabled(bool flag) override;
    void setHostLighting(bool flag) override;
    void setClientLighting(const QString& client) override;
    bool openEventChannel(const std::string& path, int kind) override;
    void closeEventChannel(int kind) override;
    bool eventChannelOpen(int kind) const override;

    // --- added operations ---
    virtual void buildPage();
    // The profile list's current profile becomes the model's (the panel's list when the page
    // has one); a damaged list is reported.
    void adoptCurrentProfile();
    void reloadAfterOutsideChange() override;
    void loadEffectLists();
    void startLightingThread();
    // True when the thread ended within its bound (or none ran).
    bool stopLightingThread();
    bool lightingRunning() const { return m_worker && m_worker->running(); }
    // The page's panels are built when the page is first shown: a page nobody opens costs
    // little memory.
    void ensurePanels();

  protected:
    CBasicProfiledata* profileObject() override { return m_profile.get(); }
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The profile panel (when built) takes the device's kind and folders.
    void setUpProfilePanel();
    // The page's tabs that have a page here; the others are hidden (no tab row for one page).
    void showTabsOfPresentPages();
    // The panel of the page's light and key buttons, or nullptr.
    QWidget* container() const;
    // The panels were built now (a model shows its values on them).
    virtual void panelsBuilt() {}

  private:
    // The worker sends its frames with host lighting on and no other program lighting the
    // device (its frames would overwrite the client's).
    bool ownFramesGo() const { return hostLightingEnabled() && clientLighting().isEmpty(); }
    void handleEvent(uint16_t code);  // on the event reader
    void updateMute();
    void onColoursChanged();

    std::unique_ptr<CBasicProfiledata> m_profile;
    lighting::LightingBlockDevice m_block;
    const lighting::HostEffectKind m_kind;
    const char* m_container;
    const int m_lightType;
    std::vector<LightEffectStep> m_effectSteps;
    QPointer<CDeviceProfileUI> m_profilePanel;
    QPointer<CLightControlUI> m_lightPanel;
    // Brings the worker's frames to the picture, at most 30 times a second.
    FramePacer* m_framePacer = new FramePacer(this, [this] { onColoursChanged(); });
    std::atomic<int> m_eventCount{0};
    std::unique_ptr<lighting::HostLightingWorker> m_worker;
};

}  // namespace md
