#include "controls/control_attribute.h"

#include <QDynamicPropertyChangeEvent>
#include <QObject>
#include <QVariant>

namespace md {

std::optional<ControlAttribute> dynamicAttribute(const QObject* object, const QEvent* event) {
    if (!object || !event || event->type() != QEvent::DynamicPropertyChange) return std::nullopt;
    const QByteArray name = static_cast<const QDynamicPropertyChangeEvent*>(event)->propertyName();
    const QVariant value = object->property(name.constData());
    if (!value.canConvert<QString>()) return std::nullopt;
    return ControlAttribute{QString::fromLatin1(name).toLower(), value.toString()};
}

bool attributeFlag(const QString& value) {
    return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

}  // namespace md
