#pragma once
// The recoil panel of the mouse page ("ShootControlItem", layout
// "XML/CustomControlXML/ShootControl.xml"): four guns with their pictures, thirty bullets,
// and the selected bullet's horizontal and vertical move and delay. Edits are kept in the
// gun's table file when a field is left (RecoilTables); the main window writes the tables to
// the mouse. Setters never notify; missing controls are tolerated.

#include <QWidget>
#include <memory>
#include <string>

#include "profiles/recoil_tables.h"

namespace md {

class CShootControlUI : public QWidget {
    Q_OBJECT
  public:
    explicit CShootControlUI(QWidget* parent = nullptr);
    ~CShootControlUI() override;

    // The device's data folder and the shipped tables' folder; missing tables are copied.
    void setFolders(const std::string& userFolder, const std::string& defaultFolder);
    RecoilTables& tables() { return *m_tables; }

    void selectGun(int gun);        // clamped to 0-3
    void selectBullet(int bullet);  // clamped to 0-29
    void previousBullet() { selectBullet(m_bullet - 1); }
    void nextBullet() { selectBullet(m_bullet + 1); }
    int selectedGun() const { return m_gun; }
    int selectedBullet() const { return m_bullet; }
    // The selected bullet from its table into the controls.
    void loadBullet();
    // The controls into the selected bullet's table (distances kept within 0-255, the delay
    // within 0-65535, shown so); a RecoilTables result.
    int saveBullet();
    // A direction option changed: its text follows (nothing is stored until a field is left).
    void updateDirectionTexts();
    int resetGun();
    int importGun(const std::string& path);
    int exportGun(const std::string& path);

  private:
    template <typename T = QWidget>
    T* child(const QString& name) const;

    std::unique_ptr<RecoilTables> m_tables;
    int m_gun = 0;
    int m_bullet = 0;
};

}  // namespace md
