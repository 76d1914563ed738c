#pragma once
// Stands for a registered control class whose implementation is not part of the program yet:
// an empty, transparent container that keeps the class name in its "controlClass" property so
// that layouts naming the class build and lay out.

#include <QWidget>

namespace md {

class ControlPlaceholder : public QWidget {
    Q_OBJECT
  public:
    explicit ControlPlaceholder(QWidget* parent = nullptr);
};

}  // namespace md
