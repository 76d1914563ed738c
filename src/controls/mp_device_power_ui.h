#pragma once
// The battery tile of a device: level text, level bar, charging state, the wireless logo of a
// mouse and, on a mousepad with a phone charger, the kind of phone on the charger. Its
// children come from the layout "XML/CustomControlXML/MpDevicePower.xml" and are looked up by
// name on first use; an operation whose children are missing does nothing.

#include <QFrame>
#include <QPointer>
#include <cstdint>
#include <span>

#include <QLabel>
#include <QProgressBar>

namespace md {

class CMpDevicePowerUI : public QFrame {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "MpDevicePower";
    static constexpr const char* kLayoutFile = "XML/CustomControlXML/MpDevicePower.xml";
    static constexpr size_t kBlockSize = 64;

    explicit CMpDevicePowerUI(QWidget* parent = nullptr);
    // A tile built from its layout file, or nullptr when the file cannot be built.
    static CMpDevicePowerUI* build(QWidget* parent = nullptr);

    void setKindRole(uint32_t kind, uint32_t role);
    uint32_t kind() const { return m_kind; }
    uint32_t role() const { return m_role; }

    // Shows "device_power_Layout" iff on.
    void showPowerLayout(bool on);
    // Shows a power status block (at most 64 bytes are read, missing bytes count as 0):
    // byte 0 level, byte 1 charging state, byte 3 wireless, byte 5 phone type.
    void showPowerStatus(std::span<const uint8_t> block);
    // Succeeds for a shown, enabled tile and then notifies "selectchanged".
    bool activate();

    // The image description a child shows as its background ("" when none).
    static QString backgroundOf(const QWidget* child);

  private:
    bool lookUpChildren();

    uint32_t m_kind = 0;
    uint32_t m_role = 0;
    QPointer<QWidget> m_powerLayout;
    QPointer<QLabel> m_value;
    QPointer<QWidget> m_wirelessLogo;
    QPointer<QProgressBar> m_progress;
    QPointer<QWidget> m_status;
    QPointer<QWidget> m_phoneType;
};

}  // namespace md
