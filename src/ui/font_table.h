#pragma once
// The UI fonts by id. A layout names a font with the dynamic property "fontId"; applyFonts()
// replaces the whole table with one face and re-applies it to every widget of the application,
// and makes the face at 14 px the application's default font.

#include <QFont>
#include <QMap>
#include <QString>

class QWidget;

namespace md {

class FontTable {
  public:
    static FontTable& instance();

    void applyFonts(const QString& face);
    QString face() const { return m_face; }
    // The font of an id; the default font for an unknown id.
    QFont font(int id) const;
    // Gives w and its descendants the fonts of their "fontId".
    void applyTo(QWidget* w) const;
    int applyCount() const { return m_applyCount; }

  private:
    void applyOne(QWidget* w) const;

    QString m_face;
    QMap<int, QFont> m_fonts;
    QFont m_default;
    int m_applyCount = 0;
};

}  // namespace md
