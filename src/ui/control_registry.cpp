#include "ui/control_registry.h"

namespace md {

ControlRegistry& ControlRegistry::instance() {
    static ControlRegistry registry;
    return registry;
}

void ControlRegistry::registerControl(const QString& className, Factory factory) {
    if (!m_factories.count(className)) m_order.append(className);
    m_factories[className] = std::move(factory);
}

bool ControlRegistry::contains(const QString& className) const {
    return m_factories.count(className) != 0;
}

QWidget* ControlRegistry::create(const QString& className, QWidget* parent) const {
    auto it = m_factories.find(className);
    if (it == m_factories.end()) return nullptr;
    QWidget* w = it->second(parent);
    if (w) w->setProperty("controlClass", className);
    return w;
}

}  // namespace md
