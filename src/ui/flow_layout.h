#pragma once
// A layout that places its items in rows and starts a new row when the next item would not
// fit: rows of tabs or chips whose texts are longer in some languages wrap instead of being cut.
// Built from layout files as class "FlowLayout".

#include <QLayout>
#include <QList>

namespace md {

class FlowLayout : public QLayout {
    Q_OBJECT
  public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

  private:
    // Lays the items out in rect (or only measures when apply is false); the height used.
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> m_items;
};

}  // namespace md
