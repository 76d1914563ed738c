// The keyboard page's key tab: the keys of the picture, the key panel and the writing of key
// assignments and macros.
#include <QStyle>

#include "devices/memory_image/memory_image.h"
#include "input/keys/key_panel_codec.h"
#include "pages/base/key_labels.h"
#include "pages/keyboard/orrivale_keyboard_device.h"

namespace md {
namespace {

// The name of the key: its factory function's name in the current language ("Right Shift"),
// else the name on the picture's button ("keyName", else its text).
QString keyName(const QWidget* b, const KeyBinding* binding) {
    if (!b) return {};
    if (binding) {
        const keys::AssignmentLabel l = keys::assignmentLabel(binding->defaultAssignment, {});
        QStringList parts;
        for (const std::string& id : l.textIds) parts << translatedText(id);
        if (!parts.isEmpty() && l.literal.empty()) return parts.join(QLatin1Char('+'));
    }
    const QString name = b->property("keyName").toString();
    return name.isEmpty() ? b->property("text").toString() : name;
}

}  // namespace

void COrrivaleKeyboardDevice::loadKeyPanelLists() {
    if (!m_keyPanel) return;
    QStringList names;
    for (const std::string& n : memimg::macroNamesOf(dataFolderPath()))
        names << QString::fromStdString(n);
    m_keyPanel->fillMacroList(names);
}

void COrrivaleKeyboardDevice::selectKey(int index) {
    const auto& keys = m_controller->keyList();
    if (index >= 0 && (size_t(index) >= keys.size() || index == kKeyboardFnKey)) index = -1;
    const int before = selectedKey();
    COrrivaleUSBDevice::selectKey(index);
    // Only the buttons whose mark changes are polished again.
    for (int i : {before, index}) {
        QWidget* b = keyButton(i);
        if (!b || b->property("selected").toBool() == (i == index)) continue;
        b->setProperty("selected", i == index);
        b->style()->unpolish(b);
        b->style()->polish(b);
    }
    if (!m_keyPanel) return;
    if (index < 0) {
        m_keyPanel->setKeyName({});
        if (QWidget* area = m_keyPanel->findChild<QWidget*>("keyset_layout")) area->hide();
        return;
    }
    if (QWidget* area = m_keyPanel->findChild<QWidget*>("keyset_layout")) area->show();
    m_keyPanel->setKeyName(keyName(keyButton(index), &keys[size_t(index)]));
    m_keyPanel->setHeldFunctionsOffered(true);
    m_keyPanel->setBinding(keys[size_t(index)]);
}

void COrrivaleKeyboardDevice::storeKeyAssignment(const KeyBinding& current) {
    const int i = selectedKey();
    if (i < 0) return;
    if (m_controller->setAssignment(size_t(i), current.assignment)) refreshKeyLabels();
}

void COrrivaleKeyboardDevice::refreshKeyLabels() {
    const std::vector<std::string> macros = memimg::macroNamesOf(dataFolderPath());
    const auto& keys = m_controller->keyList();
    for (int i = 0; i < getKeyCount(); ++i) {
        QWidget* b = keyButton(i);
        if (!b) continue;
        const QString name = keyName(b, size_t(i) < keys.size() ? &keys[size_t(i)] : nullptr);
        QString tip = name;
        if (size_t(i) < keys.size() &&
            keys[size_t(i)].assignment != keys[size_t(i)].defaultAssignment)
            tip += QStringLiteral(" → ") + assignmentText(keys[size_t(i)], macros);
        // A reassigned key is marked on the picture.
        const bool changed = tip != name;
        if (b->property("reassigned").toBool() != changed) {
            b->setProperty("reassigned", changed);
            b->style()->unpolish(b);
            b->style()->polish(b);
        }
        if (b->toolTip() != tip) b->setToolTip(tip);
        b->setAccessibleName(name);
    }
}

}  // namespace md
