#include "controls/hand_img_select_button_ui.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/control_attribute.h"
#include "controls/cursor_names.h"
#include "controls/image_description.h"
#include "ui/skin_image.h"
#include "ui/notify_dispatcher.h"

namespace md {
namespace {

// One axis of panSource: [low, high) within [0, extent).
void panAxis(int& low, int& high, int extent, int d) {
    if (d > 0) {
        if (high < extent) {
            low += d;
            high += d;
        }
    } else if (low > 0) {
        const int step = -d >= low ? low : -d;
        low -= step;
        high -= step;
    }
}

}  // namespace

SourceEdges panSource(SourceEdges source, QSize image, QPoint d) {
    panAxis(source.left, source.right, image.width(), d.x());
    panAxis(source.top, source.bottom, image.height(), d.y());
    return source;
}

CHandImgSelectButtonUI::CHandImgSelectButtonUI(QWidget* parent) : QPushButton(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

void CHandImgSelectButtonUI::setAttribute(const QString& name, const QString& value) {
    const QString key = name.toLower();
    if (key == QLatin1String("handimage")) {
        setHandImage(value);
    } else if (key == QLatin1String("cursor")) {
        if (auto shape = cursorShapeByName(value)) setCursor(*shape);
    }
}

void CHandImgSelectButtonUI::setHandImage(const QString& file) {
    const QImage image = loadSkinImage(file);
    if (image.isNull()) return;
    m_handImage = file;
    m_imageSize = image.size();
    if (width() < image.width() || height() < image.height()) {
        m_source = SourceEdges{0, 0, width(), height()};
        m_drawImage = describeSource();
    } else {
        m_drawImage = file;
    }
    update();
}

QString CHandImgSelectButtonUI::describeSource() const {
    return QString::asprintf("file='%s' ", m_handImage.toUtf8().constData()) +
           QString::asprintf("source='%d,%d,%d,%d'", m_source.left, m_source.top, m_source.right,
                             m_source.bottom);
}

bool CHandImgSelectButtonUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    return QPushButton::event(e);
}

void CHandImgSelectButtonUI::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (m_drawImage.isEmpty()) return;
    QPainter p(this);
    drawImageDescription(p, rect(), m_drawImage);
}

void CHandImgSelectButtonUI::press(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (isEnabled() && rect().contains(pos) && event->button() == Qt::LeftButton) {
        setDown(true);
        m_captured = true;
        m_last = pos;
        update();
    }
    m_dragging = true;
    event->accept();
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* event) {
    press(event);
}

void CHandImgSelectButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event);
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent* event) {
    // Releasing ends the drag; it does not click.
    if (m_captured) {
        m_captured = false;
        setDown(false);
        update();
    }
    m_dragging = false;
    event->accept();
}

void CHandImgSelectButtonUI::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        QPushButton::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    m_source = panSource(m_source, m_imageSize, m_last - pos);
    m_last = pos;
    m_drawImage = describeSource();
    if (m_captured) setDown(rect().contains(pos));
    update();
    event->accept();
}

void CHandImgSelectButtonUI::enterEvent(QEnterEvent* event) {
    if (isEnabled()) {
        NotifyDispatcher::emitFrom(this, QStringLiteral("msenter"));
        update();
    }
    QPushButton::enterEvent(event);
}

void CHandImgSelectButtonUI::leaveEvent(QEvent* event) {
    if (isEnabled()) {
        NotifyDispatcher::emitFrom(this, QStringLiteral("msleave"));
        update();
    }
    QPushButton::leaveEvent(event);
}

}  // namespace md
