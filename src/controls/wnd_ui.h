#pragma once
// A plain control that hosts a native child window in the original layouts; here an empty
// widget that keeps its place in the layout.

#include <QWidget>

namespace md {

class CWndUI : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "Wnd";
    explicit CWndUI(QWidget* parent = nullptr);
};

}  // namespace md
