#pragma once
// Finds controls of a tree by objectName, caching what it found. The typed getters answer
// what a missing control means: 0, -1, an empty string or opaque black, so that an operation
// on a missing control does nothing.

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace md {

class ControlFinder {
  public:
    explicit ControlFinder(QWidget* root = nullptr) : m_root(root) {}
    void setRoot(QWidget* root);
    QWidget* root() const { return m_root; }

    QWidget* find(const QString& name);
    template <typename T>
    T* find(const QString& name) {
        return qobject_cast<T*>(find(name));
    }
    // Drops the cache, e.g. after a sub-tree was replaced.
    void clearCache() { m_cache.clear(); }

    int value(const QString& name);         // slider, spin box, progress: 0 when missing
    int currentIndex(const QString& name);  // combo box, tab/stacked widget, list: -1
    bool isChecked(const QString& name);    // false when missing
    QString text(const QString& name);      // "" when missing
    QColor color(const QString& name);      // property "bkcolor"; opaque black when missing

    // Shows the translation of a text id on a control; false when the control is missing.
    bool setTextId(const QString& name, const QString& id);
    // The translation of id obtained through the hidden label "text_test" of the tree.
    QString queryText(const QString& id);

  private:
    QPointer<QWidget> m_root;
    QHash<QString, QPointer<QWidget>> m_cache;
};

}  // namespace md
