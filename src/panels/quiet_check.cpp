#include "panels/quiet_check.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QSignalBlocker>

namespace md {

void checkQuietly(QAbstractButton* b, bool on) {
    if (!b) return;
    const QSignalBlocker block(b);
    QButtonGroup* group = b->group();
    const bool exclusive = group && group->exclusive();
    const bool autoExclusive = b->autoExclusive();
    if (exclusive) group->setExclusive(false);
    b->setAutoExclusive(false);
    b->setChecked(on);
    b->setAutoExclusive(autoExclusive);
    if (exclusive) group->setExclusive(true);
}

}  // namespace md
