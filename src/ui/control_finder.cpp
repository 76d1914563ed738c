#include "ui/control_finder.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include "ui/resource_manager.h"

namespace md {

void ControlFinder::setRoot(QWidget* root) {
    m_root = root;
    m_cache.clear();
}

QWidget* ControlFinder::find(const QString& name) {
    if (!m_root || name.isEmpty()) return nullptr;
    auto it = m_cache.find(name);
    if (it != m_cache.end() && it.value()) return it.value();
    QWidget* w = m_root->objectName() == name ? m_root.data() : m_root->findChild<QWidget*>(name);
    if (w) m_cache.insert(name, w);
    return w;
}

int ControlFinder::value(const QString& name) {
    QWidget* w = find(name);
    if (auto* s = qobject_cast<QAbstractSlider*>(w)) return s->value();
    if (auto* s = qobject_cast<QSpinBox*>(w)) return s->value();
    if (auto* p = qobject_cast<QProgressBar*>(w)) return p->value();
    return 0;
}

int ControlFinder::currentIndex(const QString& name) {
    QWidget* w = find(name);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentIndex();
    if (auto* s = qobject_cast<QStackedWidget*>(w)) return s->currentIndex();
    if (auto* t = qobject_cast<QTabWidget*>(w)) return t->currentIndex();
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->currentRow();
    return -1;
}

bool ControlFinder::isChecked(const QString& name) {
    auto* b = find<QAbstractButton>(name);
    return b && b->isChecked();
}

QString ControlFinder::text(const QString& name) {
    QWidget* w = find(name);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    return {};
}

QColor ControlFinder::color(const QString& name) {
    QWidget* w = find(name);
    const QColor c = w ? w->property("bkcolor").value<QColor>() : QColor();
    return c.isValid() ? c : QColor(0, 0, 0, 255);
}

bool ControlFinder::setTextId(const QString& name, const QString& id) {
    QWidget* w = find(name);
    if (!w) return false;
    ResourceManager::instance().setTextId(w, id);
    return true;
}

QString ControlFinder::queryText(const QString& id) {
    if (!setTextId("text_test", id)) return {};
    return text("text_test");
}

}  // namespace md
