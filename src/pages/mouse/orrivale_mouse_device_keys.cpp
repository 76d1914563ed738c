// The mouse page's key tab: the buttons on the picture, the key panel and the writing of key
// assignments and macros.
#include <QAbstractButton>
#include <QStyle>

#include "devices/memory_image/memory_image.h"
#include "devices/mouse/mouse_key_table.h"
#include "pages/base/key_labels.h"
#include "pages/mouse/orrivale_mouse_device.h"

namespace md {
namespace {

// Buttons 0-6 are pressed and held; 7-10 are the wheel's steps and tilts, for which a held
// function (rapid fire, repeated scrolling) has no meaning.
constexpr int kHeldButtons = 7;

QString buttonName(int i) {
    return translatedText("mouse_button_" + std::to_string(i));
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

void COrrivaleMouseDevice::refreshKeyLabels() {
    const std::vector<std::string> macros = memimg::macroNamesOf(dataFolderPath());
    for (int i = 0; i < getKeyCount(); ++i) {
        QWidget* b = keyButton(i);
        if (!b) continue;
        const QString label = size_t(i) < m_keyBindings.size()
                                  ? assignmentText(m_keyBindings[size_t(i)], macros)
                                  : QString();
        b->setToolTip(label.isEmpty() ? buttonName(i)
                                      : buttonName(i) + QStringLiteral(": ") + label);
        b->setAccessibleName(buttonName(i));
    }
}

}  // namespace md
