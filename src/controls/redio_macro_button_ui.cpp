#include "controls/redio_macro_button_ui.h"

#include "controls/control_attribute.h"

namespace md {

CRedioMacroButtonUI::CRedioMacroButtonUI(QWidget* parent) : QPushButton(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

void CRedioMacroButtonUI::setAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("redioimage"), Qt::CaseInsensitive) == 0) m_redioImage = value;
}

bool CRedioMacroButtonUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    return QPushButton::event(e);
}

}  // namespace md
