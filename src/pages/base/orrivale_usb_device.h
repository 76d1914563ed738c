#pragma once
// The common base of every device model: at once the container of the device's settings page
// and the owner of the device's state (its two links, identity, LED colour list, per-LED
// lighting and the page's key and light buttons). The main window creates one model per
// model-table row, runs the creation setters in their order, and drives every model through
// the virtual operations below; each model overrides those it needs.
//
// Workers of a model never touch a widget: what they learn reaches the UI thread through a
// queued call.

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "controls/tile_device.h"
#include "devices/base/device_driver.h"
#include "devices/base/power_status.h"
#include "devices/lighting/led_colour.h"
#include "devlink/hid/hid_backend.h"
#include "devlink/link/device_identity.h"
#include "devlink/link/device_link.h"
#include "devlink/link/device_session.h"
#include "profiles/profile_records.h"

namespace md {

class CBasicProfiledata;
class CDeviceProfileUI;
class CLightControlUI;

class COrrivaleUSBDevice : public QWidget, public TileDevice {
    Q_OBJECT
  public:
    // Message the owner window receives after a power-status refresh (wParam = status byte 4).
    static constexpr int kPowerStatusMessage = 3329;
    // Hands a fresh power status to the device's battery tile.
    using PowerTileUpdater = std::function<void(QWidget* tile, const PowerStatus& status)>;

    explicit COrrivaleUSBDevice(QWidget* parent = nullptr);
    ~COrrivaleUSBDevice() override;

    // The class name the page and the main window know the model by.
    virtual QString controlClass() const { return QStringLiteral("OrrivaleUSBDevice"); }

    // The device as opened: command link, event collections, cable / receiver switching.
    DeviceSession& session() { return *m_session; }
    const DeviceSession& session() const { return *m_session; }
    DeviceLink& commandLink() override { return m_session->link(); }

    // --- creation setters, in the order the main window calls them ---
    void setLayoutFile(const QString& path) { m_layoutFile = path; }
    void setOwnerWindow(QWidget* owner) { m_ownerWindow = owner; }
    void setKeyCount(int n);
    void setLedCount(int n);
    void setTableIndex(int row) { m_tableIndex = row; }
    void setHasPowerStatus(bool flag);
    void setProfileName(const std::string& name) { m_profileName = name; }
    void setModelFolder(const std::string& name) { m_modelFolder = name; }
    void setPowerTile(QWidget* tile);
    void setIdentity(const DeviceIdentity& identity);
    // The model's profile data (when it has one) keeps its device node at index 0.
    virtual void setLightTableIndex(int index);
    void setLightListName(const std::string& name) { m_lightListName = name; }
    virtual void bindPageControls();

    // --- further accessors ---
    QString layoutFile() const { return m_layoutFile; }
    QWidget* ownerWindow() const { return m_ownerWindow; }
    int getKeyCount() const { return m_keyCount; }
    int getLedCount() const { return m_ledCount; }
    int getTableIndex() const { return m_tableIndex; }
    bool getHasPowerStatus() const { return m_hasPowerStatus; }
    int tableIndex() const override { return m_tableIndex; }
    bool hasPowerStatus() const override { return m_hasPowerStatus; }
    const std::string& profileName() const { return m_profileName; }
    const std::string& modelFolder() const { return m_modelFolder; }
    const std::string& lightListName() const { return m_lightListName; }
    QWidget* getPowerTile() const { return m_powerTile; }
    QWidget* getDeviceTile() const { return m_deviceTile; }
    void setDeviceTile(QWidget* tile) override { m_deviceTile = tile; }
    const DeviceIdentity& getIdentity() const { return m_identity; }
    uint16_t getDeviceKind() const { return m_deviceKind; }
    uint16_t collectionRole() const { return m_collectionRole; }
    int getLightTableIndex() const { return m_lightTableIndex; }
    int selectedKey() const { return m_selectedKey; }
    QWidget* selectPanel() const { return m_selectPanel; }
    QWidget* keyButton(int i) const;
    QWidget* lightButton(int i) const;
    const LightSetting& lighting() const { return m_lighting; }
    const std::vector<LightSetting>& ledSettings() const { return m_ledSettings; }
    std::map<int, int> keyLightMap() const { return m_keyLightMap; }

    // Same mode: the device shows the lighting shared by several devices; while it does, the
    // shared effect owns its LED colours (a model with its own preview pauses it).
    virtual void setSameMode(bool flag) { m_sameMode = flag; }
    bool sameMode() const { return m_sameMode; }

    virtual void setHostLighting(bool flag);
    bool hostLightingEnabled() const { return m_hostLighting; }
    // Whether the page's picture follows the lighting (window active or hovered).
    virtual void setPreviewEnabled(bool flag) { m_previewEnabled = flag; }
    bool previewEnabled() const override { return m_previewEnabled; }
    // How the battery tile is updated; the tile of the device list installs its own.
    void setPowerTileUpdater(PowerTileUpdater updater) { m_powerTileUpdater = std::move(updater); }

    // Application folder + "DefaultData/" + model folder + ".Json".
    std::string defaultTemplatePath() const;
    // The user's device data folder (created when missing), ending with '/'.
    std::string dataFolderPath() const;
    std::string profileFilePath() const { return dataFolderPath() + m_profileName + ".Json"; }
    std::string lightListFilePath() const { return dataFolderPath() + m_lightListName + ".config"; }

    // --- virtual operations (base behaviour) ---
    virtual int loadLighting() { return 0; }
    virtual void stepOff();
    // Paints the light buttons and, for a keyboard or mousepad on its cable in same mode with
    // host lighting, sends the LED frame.
    void pushLedFrame() override;
    // Packed colour: red in the lowest byte, then green, blue and intensity.
    virtual void setLedColour(int index, uint32_t packed);
    virtual uint32_t getLedColour(int index) const;
    void onDeviceAttached() override {}
    void readDeviceSettings() override {}
    void refreshPowerStatus() override {}
    bool isReachable() override { return true; }
    // The device's driver: every write and read of the device goes through it. nullptr for a
    // model without one (the plain device page, or before the device was attached).
    virtual DeviceDriver* driver() { return nullptr; }
    // Another program (a command-line verb run here) changed the device or its profile.
    virtual void reloadAfterOutsideChange() {}
    virtual int loadProfile() { return 0; }
    virtual void showSettings() {}
    virtual void validateMacroKeys() {}
    virtual void resetToDefaults() {}
    virtual int writeKeyTableToDevice(int, const std::vector<KeyBinding>&) { return 0; }
    virtual int writeKeyAssignments(int) { return 0; }
    virtual int writeMacrosToDevice() { return 0; }
    // The recoil image (devices that have one); 0 written or nothing to write, -1 failed.
    virtual int writeRecoilToDevice() { return 0; }
    // Why the model's current profile cannot be used ("" when it can).
    virtual std::string profileProblem() const;
    virtual int writeSettingsToDevice(int, int) { return 0; }
    // After an attach the page and the device agree: a profile the user has changed is the
    // truth and its settings are written to the device; a profile that is still the template
    // (just made) takes what the device holds. Call after loadProfile().
    void agreeWithDevice();
    // Whether the current profile's device node is the template's.
    bool profileIsTemplate() const;
    // Reads the device's own settings into the profile (not saved); false when unreadable.
    virtual bool takeDeviceSettings() { return false; }
    virtual void loadMacroAndLightLists() {}
    virtual void setKeyLightMap(const std::map<int, int>& map) { m_keyLightMap = map; }
    // The keyboard's custom lighting (its model implements them): select a custom group, show
    // its colours, or fill every key with the lighting's colour (on) or black (off).
    virtual void setCustomGroup(int /*group*/) {}
    virtual void loadCustomColours() {}
    virtual void fillCustomColours(bool /*on*/) {}
    // Key k of the picture takes the lighting's colour in the current custom group; false when
    // nothing changed.
    virtual bool setCustomKeyColour(int /*k*/) { return false; }
    virtual void setWorkingMode(int mode);
    virtual int getWorkingMode() const { return m_workingMode; }
    // The profile named by profileName() (the template without one) into the model's profile.
    virtual void loadProfileFiles();
    virtual std::string getProfileFilePath() const;
    virtual void saveProfile();
    // Words as the profile packs them: fields 1-4, 5-8, 9-12 and 13-14, lowest byte first.
    virtual void setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);
    // A lighting chosen as the lighting panel chooses one: taken, saved, shown and written.
    void commitLighting(const LightSetting& l);
    // Another program lighting the device through the lighting server ("" when none): the page
    // names it above its effects, and the page's own frames stop until the user picks an
    // effect, which takes the device back (lightingTakenBack).
    virtual void setClientLighting(const QString& client);
    const QString& clientLighting() const { return m_clientLighting; }
    virtual void selectKey(int index) { m_selectedKey = index; }
    // The key panel's result for the selected key: its current assignment replaces the key
    // list's, which goes into the profile data; the key labels follow.
    virtual void storeKeyAssignment(const KeyBinding& /*current*/) {}
    // Writes the key assignments and the macros to the device: 0 done, -1 failed, a positive
    // number n when the macros do not fit (n events too many). Macros go only from a whole
    // macro list, so that nothing half-read replaces the device's macros.
    virtual int transferKeysAndMacros();
    // The key list of the current profile (models with keys), or nullptr.
    virtual const std::vector<KeyBinding>* keyList() const { return nullptr; }
    // Event collections (kind: the collection's device kind). A model without event workers
    // opens nothing.
    virtual bool openEventChannel(const std::string& /*path*/, int /*kind*/) { return false; }
    virtual bool reopenEventChannel(const std::string& path, int kind) {
        return openEventChannel(path, kind);
    }
    // The event channel of a collection kind: its cable's or its receiver's.
    virtual void closeEventChannel(int kind) { session().closeEvents(eventRouteOf(kind)); }
    virtual bool eventChannelOpen(int kind) const {
        return session().eventsOpen(eventRouteOf(kind));
    }

  signals:
    // The model's event workers ask the tile to run one of its timers (1002: read the
    // settings again after ms).
    void tileTimerRequested(int id, int ms);
    // A message to the owner window (kPowerStatusMessage after a power-status refresh).
    void ownerMessage(int message, qint64 wParam, qint64 lParam);
    // Something the user must know and act on, e.g. a damaged profile file left as it is.
    void problemFound(const QString& text);
    // The user chose an effect while another program lit the device.
    void lightingTakenBack();

  protected:
    // A new language: texts the page composes itself are made again (default: showSettings).
    void changeEvent(QEvent* event) override;
    virtual void onLanguageChanged() { showSettings(); }
    // The model's profile data; nullptr for a model without one (the plain device page).
    virtual CBasicProfiledata* profileObject() { return nullptr; }
    const CBasicProfiledata* profileObject() const {
        return const_cast<COrrivaleUSBDevice*>(this)->profileObject();
    }
    // A receiver kind's events come through the receiver's route, the others' through the cable.
    static EventRoute eventRouteOf(int kind);
    // The panel of a slot whose "lazyLayout" names its layout is built when its page is first
    // shown: the pages nobody opens cost no memory. Returns the slot when its panel was built
    // now, else nullptr.
    QWidget* buildLazySlot(const char* slot);
    void paintLedButtons();
    // Emits problemFound from the event loop, so that it reaches the window also when found
    // while the model is being built.
    void reportProblem(const std::string& text);
    // The shared power-status refresh of the models that report a battery.
    void refreshPowerStatusShared();
    // Binds the "key_"/"light_" device buttons of panel (the model's select panel).
    void bindSelectPanel(QWidget* panel);
    // The profile list's current profile becomes the model's: the panel's list when the page
    // has one, else the list of the data folder (the file the command-line tool uses too). A
    // damaged list is reported.
    void adoptProfileList(CDeviceProfileUI* panel);
    // Loads the profile file (or, without a usable profile list, the template, which is then
    // never saved) and the light list into profile; a damaged file is reported.
    void loadProfileNode(CBasicProfiledata& profile);
    // The template's device node replaces the profile file's (name and identifier kept). False
    // when the template cannot be read.
    bool replaceProfileWithTemplate(CBasicProfiledata& profile);
    // Fills the lighting panel's effect list from the light tables of the model's row; answers
    // the row's area names and the user's custom effect names.
    void fillEffectList(CLightControlUI& panel, int deviceType, std::vector<std::string>* areas,
                        std::vector<std::string>* customNames);
    // Paints a light button with a colour (placeholders get a styled background).
    static void paintButton(QWidget* button, const lighting::LedColour& colour);
    // True when w stands for a control of class name (its Qt class or "controlClass" property).
    static bool isControlClass(const QWidget* w, const QString& name);

    std::mutex& lightListLock() { return m_lightListLock; }
    std::vector<lighting::LedColour>& ledColours() { return m_ledColours; }
    void setLightingValue(const LightSetting& l) { m_lighting = l; }
    void replaceLedSettings(std::vector<LightSetting> list);

  private:
    std::unique_ptr<DeviceSession> m_session;
    QString m_layoutFile;
    std::string m_profileName;
    std::string m_lightListName;
    std::string m_modelFolder;
    uint16_t m_deviceKind = 0;
    uint16_t m_collectionRole = 0;
    int m_keyCount = 0;
    int m_ledCount = 0;
    int m_tableIndex = 0;
    int m_selectedKey = -1;
    int m_workingMode = 1;
    QVector<QPointer<QWidget>> m_keyButtons;
    QVector<QPointer<QWidget>> m_lightButtons;
    std::map<int, int> m_ledKeyMap;
    std::map<int, int> m_keyLightMap;
    bool m_framePushed = false;  // the LED colours have been shown at least once
    std::vector<lighting::LedColour> m_ledColours;
    LightSetting m_lighting;
    std::mutex m_lightListLock;
    std::vector<LightSetting> m_ledSettings;
    bool m_hostLighting = true;
    QString m_clientLighting;
    bool m_sameMode = false;
    LedFrameSender m_frameSender;  // the driver's, taken on the first frame
    bool m_previewEnabled = true;
    QPointer<QWidget> m_selectPanel;
    QPointer<QWidget> m_deviceTile;
    QPointer<QWidget> m_powerTile;
    QPointer<QWidget> m_functionSwitch;
    QPointer<QWidget> m_keyFunctionSwitch;
    QPointer<QWidget> m_ownerWindow;
    bool m_hasPowerStatus = false;
    DeviceIdentity m_identity;
    int m_lightTableIndex = 0;
    PowerTileUpdater m_powerTileUpdater;
};

}  // namespace md
