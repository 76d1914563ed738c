#pragma once
// A progress ring: a disc in the background colour, a pie in the foreground colour that starts
// at the bottom and runs clockwise with the value, and a white disc inset 10 px over both so
// that only a ring shows. Colours: attributes "bkcolor" and "forecolor" ("#AARRGGBB" or any
// colour name Qt knows); "innercolor" for the inner disc (white by default).

#include <QColor>
#include <QProgressBar>

namespace md {

// Degrees of the ring for value in [min, max]: value / (max - min) * 360, truncated; 0 when
// the range is empty.
int circleSweepDegrees(int value, int min, int max);

class CCircleProgressUI : public QProgressBar {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "CircleProgress";
    static constexpr int kRingWidth = 10;

    explicit CCircleProgressUI(QWidget* parent = nullptr);

    using QProgressBar::setAttribute;
    void setAttribute(const QString& name, const QString& value);

    QColor backgroundColour() const { return m_background; }
    void setBackgroundColour(const QColor& c);
    QColor foregroundColour() const { return m_foreground; }
    void setForegroundColour(const QColor& c);

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_background{0x2A, 0x32, 0x42};
    QColor m_foreground{0x1E, 0x90, 0xFF};
    // The disc that leaves only the ring: white unless the layout's "innercolor" says otherwise.
    QColor m_inner{Qt::white};
};

}  // namespace md
