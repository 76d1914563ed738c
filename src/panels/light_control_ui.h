#pragma once
// The lighting panel of a device page ("LightControlItem", layout
// "XML/CustomControlXML/LightControl.xml"): the effect list, brightness, speed, direction,
// multi-colour and the single colour (edits, palette, preset swatches), and the same-mode
// button. It only shows and reads its controls; the main window turns the user's changes into
// the device's lighting. Which controls an effect uses comes from the lighting rules of the
// device type. Missing controls are tolerated: setters do nothing, getters return 0, -1, an
// empty text or opaque black.

#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <cstdint>

class QComboBox;
class QAbstractButton;
class QLineEdit;
class QSlider;

namespace md {

class CLightControlUI : public QWidget {
    Q_OBJECT
  public:
    explicit CLightControlUI(QWidget* parent = nullptr);

    void setDeviceType(int type) { m_deviceType = type; }
    int deviceType() const { return m_deviceType; }
    // The effect combo's items (language keys shown in the current language); an item whose
    // flag is 0 is hidden but keeps its index. Sets the sliders' maxima.
    void fillEffectList(const QStringList& names, const QVector<int>& visible, int brightnessMax,
                        int speedMax);
    // Shows a lighting record (words 0 and 1 of its packing) without any notification, then
    // applies the rules for its effect.
    void showLightInfo(uint32_t word0, uint32_t word1);

    void selectEffect(int index);  // without notification, then the rules
    int selectedEffect();
    void setBrightness(int v);
    int brightness();
    void setSpeed(int v);
    int speed();
    void setChannelText(int channel, const QString& text);  // 0 red, 1 green, 2 blue
    QString channelText(int channel);
    // ARGB colours; the getter gives 0xFF000000 without a palette.
    void setPaletteColour(uint32_t argb);
    uint32_t paletteColour();
    void setColourDisplay(uint32_t argb);
    uint32_t colourOptionColour(int n);
    // The keyboard's sub-mode and custom-group combos (-1 when missing), without notification.
    void selectZzccMode(int index);
    int selectedZzccMode();
    void selectCustomMode(int index);
    int selectedCustomMode();
    void setMultiColour(bool on);  // without notification
    bool multiColour();
    void setDirection(bool left);  // true: "deng_FXL_check"
    void setMultiDevice(bool flag);
    bool multiDevice() const { return m_multiDevice; }
    // "deng_same_mode" shows when offered and several devices are active.
    void showSameModeButton(bool offered);
    // The lighting rules of the device type for an effect.
    void applyRules(int effect);

  private:
    template <typename T = QWidget>
    T* child(const char* name);
    void setGroupEnabled(const char* name, bool on);
    void setShown(const char* name, bool on);

    int m_deviceType = 0;
    bool m_multiDevice = false;
};

}  // namespace md
