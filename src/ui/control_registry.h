#pragma once
// The application's own control classes by class name. A layout that names a registered class
// gets a new default-constructed instance of it. Registering a name again replaces its factory
// and keeps its place in the order.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>

namespace md {

class ControlRegistry {
  public:
    using Factory = std::function<QWidget*(QWidget* parent)>;
    static ControlRegistry& instance();

    void registerControl(const QString& className, Factory factory);
    template <typename T>
    void registerClass(const QString& className) {
        registerControl(className, [](QWidget* parent) { return new T(parent); });
    }
    bool contains(const QString& className) const;
    // A new instance owned by parent, or nullptr for an unknown class.
    QWidget* create(const QString& className, QWidget* parent) const;
    QStringList names() const { return m_order; }

  private:
    std::map<QString, Factory> m_factories;
    QStringList m_order;
};

}  // namespace md
