#pragma once
// One key or LED of a device picture. Over the button's own look (style sheets included) it
// draws the light image tinted with the LED's colour while the light is on, and the key-set
// mark unless hidden. The colour is a 0x00BBGGRR value (red in the low byte). The device
// models set the light of every LED for each frame; that alone does not repaint.

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <cstdint>

#include "ui/led_lamp.h"

namespace md {

class CDeviceKeyButtonUI : public QPushButton, public LedLamp {
    Q_OBJECT
    // The LED preview's colour (set by the device page): painted as a round lamp; invalid
    // until a page shows a colour.
    Q_PROPERTY(QColor ledColour READ ledColour WRITE setLedColour)
    // A lamp of the picture (neither a key cap nor a key spot): shows a colour, takes no input.
    Q_PROPERTY(bool indicator READ isIndicator)
  public:
    static constexpr const char* kClass = "DeviceKeyButton";

    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    using QPushButton::setAttribute;
    // "lightimage" and "keysetimage" (image descriptions); both repaint.
    void setAttribute(const QString& name, const QString& value);

    QString lightImage() const { return m_lightImage; }
    QString keysetImage() const { return m_keysetImage; }

    void setLight(uint32_t colour, uint32_t alpha, bool on);
    uint32_t lightColour() const { return m_lightColour; }
    uint32_t lightAlpha() const { return m_lightAlpha; }
    bool isLightOn() const { return m_lightOn; }

    QColor ledColour() const override { return m_ledColour; }
    void setLedColour(const QColor& colour) override;

    void setKeysetHidden(bool hidden);
    bool isKeysetHidden() const { return m_keysetHidden; }

    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }

    bool isIndicator() const;

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // The LED preview's lamp in colour c: its shape and rim are rendered once per size, so a
    // frame only tints a small image (antialiased drawing per frame would be far dearer).
    void paintLamp(QPainter& p, const QColor& c);
    // A key cap of a keyboard picture (class "keycap"): drawn from an image made once per size,
    // text and state (hovered, chosen, reassigned, disabled), so that a lighting frame, which
    // repaints the cap over its changing lamp, costs one image copy per key.
    void paintKeycap(QPainter& p);

    QColor m_ledColour;
    QImage m_lampShape;
    QImage m_lampRim;
    QImage m_lamp;
    QImage m_cap;
    int m_capState = -1;
    QString m_capText;
    QString m_lightImage;
    QString m_keysetImage;
    bool m_lightOn = false;
    uint32_t m_lightColour = 255;
    uint32_t m_lightAlpha = 200;
    bool m_keysetHidden = true;
    bool m_marked = false;
};

}  // namespace md
