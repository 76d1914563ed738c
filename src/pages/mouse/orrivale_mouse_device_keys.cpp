// The mouse page's key tab: the buttons on the picture, the key panel and the writing of key
// assignments and macros.
#include <QAbstractButton>
#include <QStyle>

#include "devices/memory_image/image_writer.h"
#include "devices/memory_image/memory_image.h"
#include "devices/mouse/mouse_key_table.h"
#include "input/keys/key_panel_codec.h"
#include "pages/mouse/orrivale_mouse_device.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

// Buttons 0-6 are pressed and held; 7-10 are the wheel's steps and tilts, for which a held
// function (rapid fire, repeated scrolling) has no meaning.
constexpr int kHeldButtons = 7;

QString translated(const std::string& id) {
    const QString t = ResourceManager::instance().text(QString::fromStdString(id));
    return t.isEmpty() ? QString::fromStdString(id) : t;
}

QString labelText(const KeyBinding& b, const std::vector<std::string>& macros) {
    const keys::AssignmentLabel l = keys::assignmentLabel(b.assignment, macros);
    if (!l.literal.empty()) return QString::fromStdString(l.literal);
    QStringList parts;
    for (const std::string& id : l.textIds) parts << translated(id);
    return parts.join(QLatin1Char('+'));
}

QString buttonName(int i) {
    return translated("mouse_button_" + std::to_string(i));
}

}  // namespace

void COrrivaleMouseDevice::loadKeyPanelLists() {
    if (!m_keyPanel) return;
    QStringList names;
    for (const std::string& n : memimg::macroNamesOf(dataFolderPath()))
        names << QString::fromStdString(n);
    m_keyPanel->fillMacroList(names);
    m_keyPanel->setRecoilTableCount(int(memimg::kRecoilEntries));
}

void COrrivaleMouseDevice::selectKey(int index) {
    COrrivaleUSBDevice::selectKey(index);
    for (int i = 0; i < getKeyCount(); ++i)
        if (QWidget* b = keyButton(i)) {
            b->setProperty("selected", i == index);
            b->style()->unpolish(b);
            b->style()->polish(b);
        }
    if (!m_keyPanel) return;
    if (index < 0 || size_t(index) >= m_keyBindings.size()) {
        m_keyPanel->setKeyName({});
        if (QWidget* area = m_keyPanel->findChild<QWidget*>("keyset_layout")) area->hide();
        return;
    }
    m_keyPanel->setKeyName(buttonName(index));
    m_keyPanel->setHeldFunctionsOffered(index < kHeldButtons);
    m_keyPanel->setBinding(m_keyBindings[size_t(index)]);
}

void COrrivaleMouseDevice::storeKeyAssignment(const KeyBinding& current) {
    const int i = selectedKey();
    if (i < 0 || size_t(i) >= m_keyBindings.size()) return;
    KeyBinding& b = m_keyBindings[size_t(i)];
    b.keyIndex = current.keyIndex;
    b.assignment = current.assignment;
    m_profile.writeKeyList(m_keyBindings);
    refreshKeyLabels();
}

int COrrivaleMouseDevice::transferKeysAndMacros() {
    if (writeKeyAssignments(0) != 1) return -1;
    // Macros go only from a readable list: nothing half-read replaces the mouse's macros.
    const std::string folder = dataFolderPath();
    if (memimg::macroCountOf(folder) == 0) return 0;
    if (const std::string problem = memimg::macroUploadProblem(folder); !problem.empty()) {
        reportProblem(problem);
        return -1;
    }
    const int r = writeMacrosToDevice();
    return r == memimg::kWritten ? 0 : r;
}

void COrrivaleMouseDevice::refreshKeyLabels() {
    const std::vector<std::string> macros = memimg::macroNamesOf(dataFolderPath());
    for (int i = 0; i < getKeyCount(); ++i) {
        QWidget* b = keyButton(i);
        if (!b) continue;
        const QString label = size_t(i) < m_keyBindings.size()
                                  ? labelText(m_keyBindings[size_t(i)], macros)
                                  : QString();
        b->setToolTip(label.isEmpty() ? buttonName(i)
                                      : buttonName(i) + QStringLiteral(": ") + label);
        b->setAccessibleName(buttonName(i));
    }
}

}  // namespace md
