#pragma once
// The lighting colour picker ("deng_Color_Pallet"): a hue / saturation field (hue left to
// right, saturation full at the top) over a brightness strip. Pressing or dragging picks the
// colour under the pointer and notifies "colorchanged" (wParam = 0x00RRGGBB) when it changed;
// so do the keys: Left / Right turn the hue, Up / Down the saturation, Page Up / Page Down the
// brightness.

#include <QColor>
#include <QWidget>

namespace md {

class CColorPaletteUI : public QWidget {
    Q_OBJECT
    // For panels that know the palette only as a widget of their layout.
    Q_PROPERTY(QColor colour READ colour WRITE setColour)
  public:
    static constexpr const char* kClass = "ColorPalette";
    static constexpr int kStripHeight = 14;
    static constexpr int kGap = 8;
    static constexpr int kHueStep = 5;     // degrees a key press turns the hue
    static constexpr int kLevelStep = 16;  // of 255, saturation or brightness a key press
    explicit CColorPaletteUI(QWidget* parent = nullptr);

    QColor colour() const { return m_colour; }
    // Shows a colour without notifying.
    void setColour(const QColor& colour);

    QRect fieldRect() const;
    QRect stripRect() const;
    // The colour a press at p picks: in the field hue and saturation with the current
    // brightness, in the strip the current hue and saturation with that brightness.
    QColor colourAt(const QPoint& p) const;

    QSize sizeHint() const override { return {240, 160}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    enum class Area { None, Field, Strip };
    struct Hsv {
        int hue;
        int saturation;
        int value;
    };
    Area areaAt(const QPoint& p) const;
    Hsv hsvIn(Area area, const QPoint& p) const;
    void pick(const QPoint& p);
    // Shows the colour; notifies when it changed.
    void choose(const Hsv& hsv);

    QColor m_colour = QColor::fromHsv(210, 255, 255);
    int m_hue = 210;  // kept apart: grey and black colours have no hue of their own
    int m_saturation = 255;
    int m_value = 255;
    Area m_dragArea = Area::None;
};

}  // namespace md
