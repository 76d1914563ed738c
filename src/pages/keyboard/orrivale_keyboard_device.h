#pragma once
// The keyboard's device model: owns the keyboard's profile, the protocol side
// (KeyboardController), the lighting engine with its preview worker and the two event channels,
// and shows the keyboard on its page ("XML/DeviceXml/keyboarddevice.xml"): the key picture,
// the lighting, key, macro and profile panels and the settings page. The main window routes
// the settings page's notifications to the on...() actions below.
//
// Threads: the event workers only classify a code and post its handling to the UI thread; the
// preview worker only runs the lighting engine, whose colours pushLedFrame() paints on the UI
// thread.

#include <atomic>
#include <memory>

#include "devices/base/working_mode.h"
#include "devices/keyboard/custom_colours.h"
#include "devices/keyboard/keyboard_controller.h"
#include "devices/keyboard/keyboard_lighting_engine.h"
#include "devices/keyboard/keyboard_lighting_preview.h"
#include "pages/base/orrivale_usb_device.h"
#include "pages/base/preview_lifecycle.h"
#include "panels/device_profile_ui.h"
#include "panels/key_set_control_ui.h"
#include "panels/light_control_ui.h"
#include "panels/macro_control_ui.h"
#include "profiles/keyboard_profiledata.h"
#include "ui/control_finder.h"

namespace md {

class COrrivaleKeyboardDevice : public COrrivaleUSBDevice {
    Q_OBJECT
  public:
    // Event-channel kinds: the keyboard's cable and its receiver.
    static constexpr int kCableEvents = 1;
    static constexpr int kReceiverEvents = 9;
    static constexpr int kSyncTimerId = 1002;
    static constexpr int kSyncTimerMs = 50;
    static constexpr int kKeyPage = working_mode::kKeys;
    static constexpr int kMacroPage = working_mode::kMacros;
    static constexpr int kOptions = 4;  // polling-rate and repeat-delay options

    explicit COrrivaleKeyboardDevice(QWidget* parent = nullptr);
    ~COrrivaleKeyboardDevice() override;

    QString controlClass() const override { return QStringLiteral("OrrivaleKeyboardDevice"); }

    CKeyboardProfiledata& profileData() { return m_profile; }
    KeyboardController& controller() { return *m_controller; }
    kblight::KeyboardLightingEngine& engine() { return m_engine; }
    CLightControlUI* lightPanel() const { return m_lightPanel; }
    CKeySetControlUI* keyPanel() const { return m_keyPanel; }
    bool previewRunning() const { return m_preview.running(); }

    // --- overrides ---
    void bindPageControls() override { buildPage(); }
    int loadLighting() override;
    DeviceDriver* driver() override { return m_controller.get(); }
    void pushLedFrame() override;
    void onDeviceAttached() override;
    bool takeDeviceSettings() override;
    void readDeviceSettings() override;
    int loadProfile() override;
    void showSettings() override;
    void validateMacroKeys() override;
    void resetToDefaults() override;
    int writeKeyTableToDevice(int page, const std::vector<KeyBinding>& keys) override;
    int writeKeyAssignments(int page) override;
    int writeMacrosToDevice() override;
    // The record of hardware profile `profile` with first byte `value`.
    int writeSettingsToDevice(int profile, int value) override;
    void setWorkingMode(int mode) override;
    void setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) override;
    void setCustomGroup(int group) override;
    void loadCustomColours() override;
    void fillCustomColours(bool on) override;
    void setPreviewEnabled(bool flag) override;
    void setSameMode(bool flag) override;

    // --- keys ---
    void selectKey(int index) override;
    void storeKeyAssignment(const KeyBinding& current) override;
    const std::vector<KeyBinding>* keyList() const override { return &m_controller->keyList(); }
    bool openEventChannel(const std::string& path, int kind) override;

    // --- added operations ---
    virtual void buildPage();
    // The profile list's current profile becomes the model's; a damaged list is reported.
    void adoptCurrentProfile();
    void reloadAfterOutsideChange() override;
    // A click on key k of the picture while the lighting tab shows custom colours.
    bool setCustomKeyColour(int k) override;
    void refreshKeyLabels();
    void loadKeyPanelLists();
    // The key picture (252 buttons), the profile and lighting panels are built when the page
    // is first shown: a keyboard page nobody opens costs little memory.
    void ensurePicture();
    // The picture shows the keys the keyboard reported (all of them before it did).
    void showPresentKeys();
    void startLightingPreview();
    void stopLightingPreview();

    // --- settings page actions, as the main window routes them ---
    void onPollingRate(int n);                    // "selectchanged" on "polling_rate_option_" n
    void onRepeatDelay(int n);                    // "selectchanged" on "repeat_delay_check_" n
    void onSwitch(const QString& name, bool on);  // "winlockflag_option", "wflag_option",
                                                  // "6flag_option"
    void onRepeatRate();
    // The settings tab shows the profile's switches and key repeat.
    void showStages();

  protected:
    CBasicProfiledata* profileObject() override { return &m_profile; }
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    // Sets up the profile, lighting, macro and key panels found in container.
    void initPanels(QWidget* container);
    // The profile panel's tabs of the keyboard's pages.
    void setUpProfileTabs();
    // The engine takes the model's lighting; a new mode 20 shows the custom colours.
    void applyLightingToEngine();
    void storeStages(const KeyboardStages& s);
    void loadEffectLists();
    void handleEvent(uint16_t code);  // on an event worker
    int macroCount() const;
    kblight::CustomColourTarget colourTarget();
    int32_t selectedCustomGroup();

    CKeyboardProfiledata m_profile;
    std::unique_ptr<KeyboardController> m_controller;
    kblight::KeyboardLightingEngine m_engine;
    PreviewLifecycle<KeyboardLightingPreview> m_preview{
        this, [this] { pushLedFrame(); },
        [this] { return !previewEnabled() || !isVisible() || sameMode(); }};
    QPointer<CDeviceProfileUI> m_profilePanel;
    QPointer<CLightControlUI> m_lightPanel;
    QPointer<CKeySetControlUI> m_keyPanel;
    QPointer<CMacroControlUI> m_macroPanel;
    ControlFinder m_page;
    // Brings the worker's frames to the picture, at most 30 times a second.
};

}  // namespace md
