#pragma once
// The profile panel of a device page: mirrors the device's ProfileList in the combo
// "device_profile_combo" and the edit "device_profile_name_edit", and marks the page tab the
// page shows. Its own controls are found by name among its descendants on first use; a
// missing control makes the step that needs it do nothing.

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
    // stored selection and shows the tabs of the device kind.
    void start();
    int currentSelection() const;
    // Selects item i in the combo (the selection event only when notify) and makes it current.
    void selectProfile(int i, bool notify);
    std::string currentProfileUuid() const { return m_list.currentProfileUuid(); }
    // Marks tab n (1-8) as the selected one; any other n clears all eight.
    void selectTab(int n);
    ProfileList& profileList() { return m_list; }

  private:
    QWidget* tab(int i);

    ProfileList m_list;
    QPointer<QComboBox> m_combo;
};

}  // namespace md
