#pragma once
// Draws a row of the macro action list (the action's name, its press / release or distance,
// its pause) and edits the pause in place with a number field (0-65535 ms).

#include <QStyledItemDelegate>

namespace md {

class MacroActionDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kRowHeight = 30;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Where the parts of a row are drawn: number, name, action chip and pause. The name keeps
    // up to nameWidth pixels (its whole text when there is room); in a narrow list the chip and
    // the pause box give way first.
    struct RowLayout {
        QRect number, name, chip, delay;
    };
    static RowLayout rowLayout(const QRect& row, int numberWidth, int nameWidth);
    // Where the pause is drawn in a row.
    static QRect delayRect(const QRect& row);
};

}  // namespace md
