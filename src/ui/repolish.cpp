#include "ui/repolish.h"

#include <QStyle>
#include <QWidget>

#include "ui/font_table.h"

namespace md {

void repolish(QWidget* w) {
    if (!w) return;
    w->style()->unpolish(w);
    w->style()->polish(w);
    FontTable::instance().applyTo(w);
    w->update();
}

}  // namespace md
