#pragma once
// A row of a shared-profile list: the common row behaviour, and a 1-px frame in the hot
// colour (attribute "hotbordercolor", accent blue by default) while the pointer is over a row
// that is not selected.

#include <QColor>

#include "controls/list_element_ui.h"

namespace md {

class CCloudShareListItemUI : public ListElementUI {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "CloudShareListItemUI";

    explicit CCloudShareListItemUI(QWidget* parent = nullptr);

    void setAttribute(const QString& name, const QString& value) override;
    QColor hotBorderColour() const { return m_hotBorder; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_hotBorder{0x1E, 0x90, 0xFF};
};

}  // namespace md
