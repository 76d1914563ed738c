#pragma once
// A container that paints its own background: a colour ("bkcolor") or an image ("bkimage",
// a path relative to the skin folder or absolute; SVG or any format Qt reads), scaled to cover
// the panel. The root of the main window is one; the skin picker changes it.

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace md {

class BackgroundPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor bkcolor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QString bkimage READ backgroundImage WRITE setBackgroundImage)
  public:
    explicit BackgroundPanel(QWidget* parent = nullptr);

    QColor backgroundColor() const { return m_color; }
    void setBackgroundColor(const QColor& c);
    QString backgroundImage() const { return m_image; }
    void setBackgroundImage(const QString& image);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_color;
    QString m_image;
    QPixmap m_pixmap;
    // The image scaled for the panel's current size, made once per size: every repaint of a
    // child (the device picture refreshes many times a second) paints it again.
    QPixmap m_scaled;
};

}  // namespace md
