#include "pages/base/key_labels.h"

#include <QStringList>

#include "input/keys/key_panel_codec.h"
#include "ui/resource_manager.h"

namespace md {

QString translatedText(const std::string& id) {
    const QString t = ResourceManager::instance().text(QString::fromStdString(id));
    return t.isEmpty() ? QString::fromStdString(id) : t;
}

QString assignmentText(const KeyBinding& b, const std::vector<std::string>& macros) {
    const keys::AssignmentLabel l = keys::assignmentLabel(b.assignment, macros);
    if (!l.literal.empty()) return QString::fromStdString(l.literal);
    QStringList parts;
    for (const std::string& id : l.textIds) parts << translatedText(id);
    return parts.join(QLatin1Char('+'));
}

}  // namespace md
