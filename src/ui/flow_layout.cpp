#include "ui/flow_layout.h"

#include <QWidget>
#include <algorithm>

namespace md {

FlowLayout::FlowLayout(QWidget* parent) : QLayout(parent) {}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) {
    m_items.append(item);
}

QLayoutItem* FlowLayout::itemAt(int index) const {
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

int FlowLayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const {
    // As narrow as the widest item: everything else wraps.
    QSize size;
    for (const QLayoutItem* item : m_items)
        if (!item->isEmpty()) size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const {
    // One row of every item.
    int width = 0, height = 0, shown = 0;
    for (const QLayoutItem* item : m_items) {
        if (item->isEmpty()) continue;
        width += item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
        ++shown;
    }
    const QMargins m = contentsMargins();
    return {width + std::max(0, shown - 1) * spacing() + m.left() + m.right(),
            height + m.top() + m.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool apply) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = std::max(0, spacing());
    // Items of a row share its spare width, so a full row spans the area like a box layout.
    QList<QLayoutItem*> row;
    int rowWidth = 0, y = area.y();
    auto placeRow = [&](bool last) {
        if (row.isEmpty()) return;
        int rowHeight = 0;
        for (QLayoutItem* i : row) rowHeight = std::max(rowHeight, i->sizeHint().height());
        const int spare = last ? 0 : std::max(0, area.width() - rowWidth);
        int x = area.x();
        for (int k = 0; k < row.size(); ++k) {
            QLayoutItem* i = row[k];
            const int extra = spare / int(row.size()) + (k < spare % int(row.size()) ? 1 : 0);
            const int w = std::min(i->sizeHint().width() + extra, area.width());
            if (apply) i->setGeometry(QRect(x, y, w, rowHeight));
            x += w + gap;
        }
        y += rowHeight + gap;
        row.clear();
        rowWidth = 0;
    };
    for (QLayoutItem* item : m_items) {
        if (item->isEmpty()) continue;
        const int w = item->sizeHint().width();
        if (!row.isEmpty() && rowWidth + gap + w > area.width()) placeRow(false);
        rowWidth += (row.isEmpty() ? 0 : gap) + w;
        row << item;
    }
    // A single row is spread over the width too; a last row of several keeps its sizes.
    const bool oneRow = y == area.y();
    placeRow(!oneRow);
    const QMargins m = contentsMargins();
    return y - gap - rect.y() + m.bottom();
}

}  // namespace md
