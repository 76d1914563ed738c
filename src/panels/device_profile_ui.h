#pragma once
// The profile panel of a device page: mirrors the device's ProfileList in the combo
// "device_profile_combo" and the edit "device_profile_name_edit", carries out the list's
// operations (the combo follows each one), opens and closes its menu "profile_menu_layout",
// and marks the page tab the page shows. Its own controls are found by name among its
// descendants on first use; a missing control makes the step that needs it do nothing.
// What the device does with a new current profile is the main window's profile switch.

#include <QPointer>
#include <QWidget>
#include <array>
#include <string>

#include "profiles/profile_list.h"

class QComboBox;

namespace md {

class CDeviceProfileUI : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTabCount = 8;
    static const std::array<const char*, kTabCount>& tabNames();

    explicit CDeviceProfileUI(QWidget* parent = nullptr);

    void setDeviceKind(int32_t kind) { m_list.setDeviceKind(kind); }
    void setFolders(const std::string& dataFolder, const std::string& templatePath) {
        m_list.setFolders(dataFolder, templatePath);
    }
    // Reads the list (a one-profile list when there is none), fills the combo, selects the
    // stored selection and shows the tabs of the device kind. False when the list is damaged
    // (problem() says why; the combo stays empty).
    bool start();
    int currentSelection() const;
    // Selects item i in the combo (the selection event only when notify) and makes it current.
    void selectProfile(int i, bool notify);
    std::string currentProfileUuid() const { return m_list.currentProfileUuid(); }
    // Marks tab n (1-8) as the selected one; any other n clears all eight.
    void selectTab(int n);
    ProfileList& profileList() { return m_list; }
    int itemCount() const;

    // The list's operations on the combo's selection; the combo shows the list afterwards.
    // False when nothing changed; problem() then names a file error (empty for a refusal the
    // list itself makes, like a 51st profile).
    bool addProfile();
    bool deleteProfile();
    bool copyProfile();
    // ProfileList::kRenamed, kNameTaken or kNameBlank.
    int renameProfile(const std::string& name);
    // The new profile becomes the selected item (the caller switches the device to it).
    bool importProfile(const std::string& path);
    bool exportProfile(const std::string& path);
    bool resetProfile();
    const std::string& problem() const { return m_list.problem(); }

    std::string profileNameText() const;
    void setProfileNameText(const std::string& text);
    // The menu drops down below the combo as a popup; a click elsewhere closes it.
    void setMenuVisible(bool visible);
    bool isMenuVisible() const;
    QWidget* menuWidget();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* tab(int i);
    QComboBox* combo();
    QWidget* menu();
    void setSpreadChecked(bool on);
    // Refills the combo from the list with the list's selection, without a selection event.
    void refresh();

    ProfileList m_list;
    QPointer<QComboBox> m_combo;
    QPointer<QWidget> m_menu;
};

}  // namespace md
