#pragma once
// Layout attributes of the application's controls. A layout sets them as dynamic properties
// (QUiLoader calls setProperty); code calls the control's setAttribute(name, value). Both end
// in the same handler, with the name lower-cased.

#include <QString>
#include <optional>
#include <utility>

class QEvent;
class QObject;

namespace md {

struct ControlAttribute {
    QString name;  // lower case
    QString value;
};

// The attribute a QEvent::DynamicPropertyChange of object carries; nothing for other events.
std::optional<ControlAttribute> dynamicAttribute(const QObject* object, const QEvent* event);

// "true" (any case) answers true, anything else false.
bool attributeFlag(const QString& value);

}  // namespace md
