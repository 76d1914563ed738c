#include "app/shell/font_holder.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

#include "profiles/app_paths.h"

namespace md {

const char* const FontHolder::kFontFiles[4] = {"Simplified_Chinese.ttf", "Vorthane-Regular.otf",
                                               "NotoSansThai-Regular.ttf",
                                               "NotoSansCJKtc-Regular.otf"};

bool FontHolder::load(const QString& fileName) {
    unload();
    QFile f(QString::fromStdString(AppPaths::programDataFolder("Font")) + fileName);
    if (!f.open(QIODevice::ReadOnly)) return false;
    m_id = QFontDatabase::addApplicationFontFromData(f.readAll());
    return m_id >= 0;
}

void FontHolder::unload() {
    if (m_id >= 0) QFontDatabase::removeApplicationFont(m_id);
    m_id = -1;
}

void installFontSubstitutes() {
    const QStringList common{"Noto Sans", "DejaVu Sans", "Liberation Sans"};
    QFont::insertSubstitutions(
        "汉仪菱心体简", QStringList{"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei",
                                    "Droid Sans Fallback"} +
                            common);
    QFont::insertSubstitutions("Noto Sans CJK TC Regular",
                               QStringList{"Noto Sans CJK TC", "Noto Sans TC",
                                           "WenQuanYi Micro Hei", "Droid Sans Fallback"} +
                                   common);
    QFont::insertSubstitutions("Verdana Unicode MS", QStringList{"Verdana"} + common);
    QFont::insertSubstitutions("Noto Sans Thai",
                               QStringList{"Noto Sans Thai UI", "Loma", "Garuda"} + common);
}

}  // namespace md
