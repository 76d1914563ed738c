#include "controls/wnd_ui.h"

namespace md {

CWndUI::CWndUI(QWidget* parent) : QWidget(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

}  // namespace md
