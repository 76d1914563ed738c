#pragma once
// The tags a window's layouts may use besides class names: a tag either creates a registered
// class, or stands for a sub-tree built from its own layout file. Tags compare without regard
// to case.

#include <QHash>
#include <QString>
#include <optional>

namespace md {

struct LayoutTag {
    enum class Kind { Class, SubTree };
    Kind kind = Kind::Class;
    QString target;  // registered class name, or layout file of the sub-tree
};

class LayoutTagTable {
  public:
    void addClass(const QString& tag, const QString& className);
    void addSubTree(const QString& tag, const QString& layoutFile);
    std::optional<LayoutTag> find(const QString& tag) const;
    qsizetype size() const { return m_tags.size(); }

  private:
    QHash<QString, LayoutTag> m_tags;  // keys in lower case
};

}  // namespace md
