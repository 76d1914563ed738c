// Renders the program's SVG icon as a square PNG for the icon theme's fixed sizes.
// Usage: md_render_icon SVG SIZE PNG
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: md_render_icon SVG SIZE PNG\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    bool ok = false;
    const int size = QByteArray(argv[2]).toInt(&ok);
    if (!svg.isValid() || !ok || size < 1 || size > 4096) {
        std::fprintf(stderr, "md_render_icon: cannot render %s at %s pixels\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(QFileInfo(out).path());
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "md_render_icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
