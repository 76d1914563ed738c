#pragma once
// The mouse's device model: owns the mouse's profile, the protocol side (MouseController), the
// input-synthesis binding, the two event-channel workers and the lighting preview worker, and
// shows the mouse's settings on its page ("XML/DeviceXml/mousedevice.xml"). The main window
// routes the performance page's notifications to the on...() actions below; each keeps page,
// profile and mouse in step.
//
// Threads: the event workers only classify a code and post its handling to the UI thread; the
// preview worker only computes LED colours, which pushLedFrame() paints on the UI thread.

#include <array>
#include <atomic>
#include <memory>

#include "devices/mouse/mouse_controller.h"
#include "devices/mouse/mouse_lighting_preview.h"
#include "devlink/link/event_reader.h"
#include "input/desktop/desktop_pointer.h"
#include "input/input_synthesis_binding.h"
#include "pages/base/orrivale_usb_device.h"
#include "pages/base/preview_lifecycle.h"
#include "panels/device_profile_ui.h"
#include "panels/key_set_control_ui.h"
#include "panels/light_control_ui.h"
#include "panels/macro_control_ui.h"
#include "panels/shoot_control_ui.h"
#include "profiles/mouse_profiledata.h"
#include "ui/control_finder.h"

namespace md {

class COrrivaleMouseDevice : public COrrivaleUSBDevice {
    Q_OBJECT
  public:
    // Event-channel kinds: the wired event collection and the receiver's.
    static constexpr int kWiredEvents = 2;
    static constexpr int kWirelessEvents = 6;
    // Timer of the device tile that re-reads the mouse after a synchronisation request.
    static constexpr int kSyncTimerId = 1002;
    static constexpr int kSyncTimerMs = 50;
    static constexpr int kStageRows = 5;
    static constexpr int kKeyPage = 2;  // the working modes of the key, macro and recoil tabs
    static constexpr int kMacroPage = 3;
    static constexpr int kRecoilPage = 5;
    static constexpr int kPollingOptions = 5;
    static constexpr const char* kActiveThumb = "Control/SliderBar1_Thumb.png";
    static constexpr const char* kOtherThumb = "Control/SliderBar2_Thumb.png";

    explicit COrrivaleMouseDevice(QWidget* parent = nullptr);
    ~COrrivaleMouseDevice() override;

    // Folder of the input-synthesis plugins (default: the program's SDK folder); set
    // before bindPageControls.
    void setSdkFolder(const std::string& folder) { m_sdkFolder = folder; }
    void setLogoLed(int index) { m_logoLed = index; }
    int logoLed() const { return m_logoLed; }

    CMouseProfiledata& profileData() { return m_profile; }
    MouseController& controller() { return *m_controller; }
    const InputSynthesisBinding& synthesis() const { return m_synthesis; }
    // The desktop's own pointer, wheel and double-click settings, which the pointer tab
    // changes besides the profile (the desktop's backend unless a test sets one).
    void setDesktopPointer(std::unique_ptr<DesktopPointer> desktop);
    DesktopPointer& desktopPointer();
    const std::vector<KeyBinding>& keyBindings() const { return m_keyBindings; }
    const std::vector<DpiStage>& dpiStages() const { return m_dpiStages; }
    const std::array<uint32_t, 4>& mouseStages() const { return m_mouseStages; }

    // --- overrides ---
    void bindPageControls() override;
    int loadLighting() override;
    void pushLedFrame() override;
    void onDeviceAttached() override;
    bool takeDeviceSettings() override;
    void readDeviceSettings() override;
    void refreshPowerStatus() override { refreshPowerStatusShared(); }
    bool isReachable() override { return m_controller->reachable(); }
    DeviceDriver* driver() override { return m_controller.get(); }
    int loadProfile() override;
    void showSettings() override;
    void validateMacroKeys() override;
    void resetToDefaults() override;
    int writeKeyTableToDevice(int page, const std::vector<KeyBinding>& keys) override;
    int writeKeyAssignments(int page) override;
    int writeMacrosToDevice() override;
    int writeRecoilToDevice() override;
    // writeSettingsBlock(profile, value); the last three arguments do not reach the mouse.
    int writeSettingsToDevice(int profile, int value) override;
    void setWorkingMode(int mode) override;
    void setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) override;

    // --- added operations ---
    virtual void buildPage();
    // The profile list's current profile becomes the model's (the panel's list when the page
    // has one); a damaged list is reported.
    void adoptCurrentProfile();
    void reloadAfterOutsideChange() override;
    // The profile panel's page tabs for the pages this page has; no tab row for one page.
    void showTabsOfPresentPages();
    // The lighting panel's effect list from the light files of the mouse's light table.
    void loadEffectLists();
    CLightControlUI* lightPanel() const { return m_lightPanel; }
    CKeySetControlUI* keyPanel() const { return m_keyPanel; }

    // --- key page ---
    // Marks the button on the picture and shows its binding in the key panel.
    void selectKey(int index) override;
    void storeKeyAssignment(const KeyBinding& current) override;
    const std::vector<KeyBinding>* keyList() const override { return &m_keyBindings; }
    // The picture's buttons tell their function (tool tips), in the current language.
    void refreshKeyLabels();
    // The key panel's macro and recoil lists, from the data folder.
    void loadKeyPanelLists();
    // Sets up the key, macro and recoil panels found in container.
    void initFeaturePanels(QWidget* container);
    // The panel of a page whose slot names its layout ("lazyLayout") is built when the page is
    // first shown.
    void buildLazyPanel(int mode);
    int readHardwareSettings();
    bool openEventChannel(const std::string& path, int kind) override;
    bool reopenEventChannel(const std::string& path, int kind) override;
    void startLightingPreview();
    void stopLightingPreview();
    void setPreviewEnabled(bool flag) override;
    // In same mode the shared lighting owns the LED colours: the mouse's own preview pauses.
    void setSameMode(bool flag) override;

  protected:
    void onLanguageChanged() override {
        refreshKeyLabels();
        showSettings();
    }
    CBasicProfiledata* profileObject() override { return &m_profile; }
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  public:
    bool previewRunning() const { return m_preview.running(); }

    // --- performance page operations ---
    void showStage(int i, int position);
    void setStageEnabledOnPage(int i, bool on);
    void selectCurrentStage(int n);
    void selectPollingOption(int n);
    void setScrollOnPage(bool page, int lines);
    void selectSettingsPage(int n);
    bool stageCheck(int i);
    int stageSliderValue(int i);
    // The typed resolution of "DPI_edit_" i, clamped to the typed range (empty counts as 0).
    int typedResolution(int i);

    // --- performance page actions, as the main window routes them ---
    void onStageEnabled(int n);       // "selectchanged" on "DPI_enable_check_" n
    void onCurrentStage(int n);       // "selectchanged" on "DPI_model_" n
    void onDpiSliderReleased(int n);  // "valuechanged" on "DPI_slider_" n
    void onDpiSliderMoved(int n);     // "movevaluechanged" on "DPI_slider_" n
    void onDpiEditLeft(int n);        // "killfocus" on "DPI_edit_" n
    void onPollingRate(int n);        // "selectchanged" on "polling_rate_option_" n
    void onPointerSpeed();            // "valuechanged" on "pointer_speed_slider"
    void onPointerPrecision();        // "selectchanged" on "pointer_precision_check"
    void onWheelLines();              // "valuechanged" on "scroll_speed_slider"
    void onScrollByPage();            // "selectchanged" on "scrolls_page_check"
    void onDoubleClickSpeed();        // "valuechanged" on "double_click_slider"
    void onSettingsPage(int n) { selectSettingsPage(n); }  // "mouse_device_seting_option_" n

  private:
    // Writes the profile's settings block to the mouse as the page's actions do.
    void sendSettingsBlock();
    void refreshStages();
    void handleEvent(uint16_t code);  // on the event worker
    void onHardwareProfileCode(uint16_t code);
    void onButtonCode(int position);
    int macroCount() const;
    QWidget* page(const QString& prefix, int i) { return m_page.find(prefix + QString::number(i)); }

    CMouseProfiledata m_profile;
    std::unique_ptr<MouseController> m_controller;
    InputSynthesisBinding m_synthesis;
    std::unique_ptr<DesktopPointer> m_desktop;
    // The profile's pointer values to the desktop; its settings without a desktop
    // equivalent are disabled on the page and say so.
    void applyDesktopPointer();
    void showDesktopSupport();
    std::string m_sdkFolder;
    std::vector<KeyBinding> m_keyBindings;
    std::vector<DpiStage> m_dpiStages;
    std::array<uint32_t, 4> m_mouseStages{};
    std::vector<LightEffectStep> m_effectSteps;  // the custom effect the preview plays
    int m_logoLed = -1;
    QPointer<QWidget> m_logo;
    QPointer<CDeviceProfileUI> m_profilePanel;
    QPointer<CLightControlUI> m_lightPanel;
    QPointer<CKeySetControlUI> m_keyPanel;
    QPointer<CMacroControlUI> m_macroPanel;
    std::vector<std::string> m_areaNames;
    std::vector<std::string> m_customEffectNames;
    ControlFinder m_page;
    PreviewLifecycle<MouseLightingPreview> m_preview{
        this, [this] { pushLedFrame(); }, [this] { return !previewEnabled() || !isVisible(); }};
    // Brings the worker's frames to the picture, at most 30 times a second.
};

}  // namespace md
