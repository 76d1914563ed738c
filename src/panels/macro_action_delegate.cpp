#include "panels/macro_action_delegate.h"

#include <QIntValidator>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "panels/macro_action_model.h"

namespace md {
namespace {

const QColor kKeyboardColour(0x8F, 0xD0, 0xFF);
const QColor kMouseColour(0xFF, 0xC8, 0x7A);
const QColor kDownColour(0x3D, 0xD6, 0x8C);
const QColor kUpColour(0xF0, 0x7A, 0x7A);
const QColor kTextColour(0xDC, 0xE2, 0xEC);

}  // namespace

MacroActionDelegate::RowLayout MacroActionDelegate::rowLayout(const QRect& r, int numberWidth,
                                                              int nameWidth) {
    constexpr int kGap = 8, kChip = 64, kDelay = 72, kChipMin = 40, kDelayMin = 56;
    constexpr int kNameMin = 90;  // the name's share before the chip and pause give way
    RowLayout l;
    l.number = QRect(r.left() + 4, r.top(), numberWidth, r.height());
    const int nameLeft = l.number.right() + 10;
    // What the name needs of the row, the chip and the pause box shrinking first.
    const int wantName = std::min(nameWidth, kNameMin);
    const int free = r.right() - 6 - nameLeft - 2 * kGap;
    int chip = kChip, delay = kDelay;
    if (free - chip - delay < wantName) {
        const int lack = wantName - (free - chip - delay);
        const int fromChip = std::min(lack, kChip - kChipMin);
        chip -= fromChip;
        delay -= std::min(lack - fromChip, kDelay - kDelayMin);
    }
    l.delay = QRect(r.right() - 6 - delay + 1, r.top() + 3, delay, r.height() - 6);
    l.chip = QRect(l.delay.left() - kGap - chip, r.top() + 6, chip, r.height() - 12);
    l.name = QRect(nameLeft, r.top(), std::max(0, l.chip.left() - kGap - nameLeft), r.height());
    return l;
}

QRect MacroActionDelegate::delayRect(const QRect& row) {
    return rowLayout(row, 0, 0).delay;
}

QSize MacroActionDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), kRowHeight);
}

void MacroActionDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const QRect r = option.rect;
    p->save();
    if (option.state & QStyle::State_Selected)
        p->fillRect(r, QColor(0, 153, 255, 76));
    else if (option.state & QStyle::State_MouseOver)
        p->fillRect(r, QColor(255, 255, 255, 12));
    const int type = index.data(MacroActionModel::kEventRole).toInt() >> 24;
    const bool keyboard = type == MacroEvent::kKey || type == MacroEvent::kModifier;
    const bool move = index.data(MacroActionModel::kIsMoveRole).toBool();
    const bool down = (index.data(MacroActionModel::kEventRole).toInt() & 1) != 0;
    p->setPen(QColor(0x6B, 0x74, 0x86));
    // Number, name, action chip, pause.
    const QString name = index.data(MacroActionModel::kNameRole).toString();
    const RowLayout l = rowLayout(r, option.fontMetrics.horizontalAdvance(QStringLiteral("0000")),
                                  option.fontMetrics.horizontalAdvance(name));
    p->drawText(l.number, Qt::AlignVCenter | Qt::AlignRight, QString::number(index.row() + 1));
    const QRect chip = l.chip;
    p->setPen(keyboard ? kKeyboardColour : kMouseColour);
    p->drawText(l.name, Qt::AlignVCenter | Qt::AlignLeft,
                option.fontMetrics.elidedText(name, Qt::ElideRight, l.name.width()));
    p->setRenderHint(QPainter::Antialiasing);
    const QColor chipColour = move ? kTextColour : (down ? kDownColour : kUpColour);
    p->setPen(Qt::NoPen);
    QColor fill = chipColour;
    fill.setAlpha(40);
    p->setBrush(fill);
    p->drawRoundedRect(chip, chip.height() / 2.0, chip.height() / 2.0);
    p->setPen(chipColour);
    p->drawText(chip, Qt::AlignCenter, index.data(MacroActionModel::kActionRole).toString());
    p->setPen(kTextColour);
    const QRect d = l.delay;
    p->setBrush(QColor(0x44, 0x44, 0x44, 120));
    p->setPen(Qt::NoPen);
    p->drawRoundedRect(d, 6, 6);
    p->setPen(kTextColour);
    p->drawText(
        d.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignRight,
        QString::number(index.data(MacroActionModel::kDelayRole).toInt()) + QStringLiteral(" ms"));
    p->restore();
}

QWidget* MacroActionDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex&) const {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QStringLiteral("macro_delay"));
    e->setValidator(new QIntValidator(0, 65535, e));
    e->setMaxLength(6);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return e;
}

void MacroActionDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* e = qobject_cast<QLineEdit*>(editor)) {
        e->setText(QString::number(index.data(MacroActionModel::kDelayRole).toInt()));
        e->selectAll();
    }
}

void MacroActionDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    if (auto* e = qobject_cast<QLineEdit*>(editor))
        model->setData(index, e->text().isEmpty() ? QStringLiteral("0") : e->text(), Qt::EditRole);
}

void MacroActionDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const {
    editor->setGeometry(delayRect(option.rect));
}

}  // namespace md
