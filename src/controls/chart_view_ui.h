#pragma once
// A chart area. The system has no data series, so only the histogram's shadow strip is drawn:
// in the histogram view, the "shadowimage" across the full width, "shadowimageheight" high,
// ending 25 px above the bottom when texts are shown (at the bottom otherwise). A shadow image
// that cannot be drawn is forgotten.

#include <QWidget>

namespace md {

class CChartViewUI : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "ChartView";
    enum View { Pie = 0, Histogram = 1 };
    static constexpr int kTextHeight = 25;

    explicit CChartViewUI(QWidget* parent = nullptr);

    using QWidget::setAttribute;
    // "view" ("pie", "histpgram"), "shadowimage", "shadowimageheight", "pillarimage",
    // "pillarimagewidth", "showhtml", "showtext", "font".
    void setAttribute(const QString& name, const QString& value);

    int view() const { return m_view; }
    QString shadowImage() const { return m_shadowImage; }
    int shadowImageHeight() const { return m_shadowImageHeight; }
    QString pillarImage() const { return m_pillarImage; }
    int pillarImageWidth() const { return m_pillarImageWidth; }
    bool showHtml() const { return m_showHtml; }
    bool showText() const { return m_showText; }
    int fontId() const { return m_font; }
    // The strip the shadow image fills.
    QRect shadowRect() const;

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_view = Pie;
    QString m_shadowImage;
    int m_shadowImageHeight = 0;
    QString m_pillarImage;
    int m_pillarImageWidth = 0;
    bool m_showHtml = false;
    bool m_showText = true;
    int m_font = -1;
};

}  // namespace md
