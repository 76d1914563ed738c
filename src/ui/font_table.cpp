#include "ui/font_table.h"

#include <QApplication>
#include <QWidget>

namespace md {
namespace {
struct FontRow {
    int id;
    int pixelSize;
    bool bold;
    bool underline;
};
constexpr FontRow kFontRows[] = {
    {0, 15, false, false}, {1, 14, false, true},  {2, 18, false, false},  {3, 30, false, false},
    {4, 16, false, false}, {5, 20, false, false}, {6, 22, false, false},  {7, 14, false, false},
    {8, 12, false, false}, {9, 11, false, false}, {10, 10, false, false}, {11, 28, false, false},
    {50, 18, true, false},
};

QFont makeFont(const QString& face, int pixelSize, bool bold, bool underline) {
    QFont f(face);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setUnderline(underline);
    f.setItalic(false);
    return f;
}
}  // namespace

FontTable& FontTable::instance() {
    static FontTable table;
    return table;
}

void FontTable::applyFonts(const QString& face) {
    m_face = face;
    m_fonts.clear();
    for (const FontRow& r : kFontRows) {
        m_fonts.insert(r.id, makeFont(face, r.pixelSize, r.bold, r.underline));
        if (r.id == 0) m_default = makeFont(face, 14, false, false);
    }
    ++m_applyCount;
    if (qApp) {
        QApplication::setFont(m_default);
        for (QWidget* w : QApplication::allWidgets()) applyOne(w);
    }
}

QFont FontTable::font(int id) const {
    return m_fonts.value(id, m_default);
}

void FontTable::applyOne(QWidget* w) const {
    bool ok = false;
    const int id = w->property("fontId").toInt(&ok);
    if (ok && !m_fonts.isEmpty()) w->setFont(font(id));
}

void FontTable::applyTo(QWidget* w) const {
    if (!w) return;
    applyOne(w);
    for (QWidget* c : w->findChildren<QWidget*>()) applyOne(c);
}

}  // namespace md
