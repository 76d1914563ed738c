#include "ui/layout_tag_table.h"

namespace md {

void LayoutTagTable::addClass(const QString& tag, const QString& className) {
    m_tags.insert(tag.toLower(), {LayoutTag::Kind::Class, className});
}

void LayoutTagTable::addSubTree(const QString& tag, const QString& layoutFile) {
    m_tags.insert(tag.toLower(), {LayoutTag::Kind::SubTree, layoutFile});
}

std::optional<LayoutTag> LayoutTagTable::find(const QString& tag) const {
    auto it = m_tags.constFind(tag.toLower());
    if (it == m_tags.constEnd()) return std::nullopt;
    return it.value();
}

}  // namespace md
