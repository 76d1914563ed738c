#include "panels/key_set_control_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>

#include "input/keys/key_choices.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

using keys::ChoiceRow;

const char* const kModifierOptions[] = {"key_ComBox_check_0", "key_ComBox_check_1",
                                        "key_ComBox_check_2", "key_ComBox_check_3",
                                        "key_ComBox_check_4"};

void selectQuietly(QComboBox* combo, int index) {
    if (!combo) return;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index < combo->count() ? index : -1);
}

int selected(const QComboBox* combo) {
    return combo ? combo->currentIndex() : -1;
}

void setTextQuietly(QLineEdit* e, const QString& text) {
    if (!e) return;
    const QSignalBlocker block(e);
    e->setText(text);
}

QString textOf(const QLineEdit* e) {
    return e ? e->text() : QString();
}

// Shows or hides a combo item while keeping every item's index.
void setItemShown(QComboBox* combo, int index, bool shown) {
    if (auto* view = combo ? qobject_cast<QListView*>(combo->view()) : nullptr)
        view->setRowHidden(index, !shown);
}

}  // namespace

CKeySetControlUI::CKeySetControlUI(QWidget* parent) : QWidget(parent) {}

template <typename T>
T* CKeySetControlUI::child(const char* name) const {
    return findChild<T*>(QLatin1String(name));
}

QString CKeySetControlUI::text(const char* id) const {
    const QString t = ResourceManager::instance().text(QString::fromLatin1(id));
    return t.isEmpty() ? QString::fromLatin1(id) : t;
}

void CKeySetControlUI::fillCombos() {
    if (m_filled) return;
    m_filled = true;
    const auto fill = [this](const char* name, std::span<const ChoiceRow> rows) {
        auto* combo = child<QComboBox>(name);
        if (!combo) return;
        const QSignalBlocker block(combo);
        combo->clear();
        for (const ChoiceRow& r : rows)
            ResourceManager::instance().addTextItem(combo, QString::fromLatin1(r.nameId));
        combo->setCurrentIndex(-1);
    };
    fill("keyset_mousekey_combo", keys::buttonChoices());
    fill("keyset_mousewheel_combo", keys::wheelChoices());
    fill("keyset_mousedpi_combo", keys::dpiChoices());
    fill("keyset_media_combo", keys::mediaChoices());
    fill("keyset_system_combo", keys::systemChoices());
    fill("keyset_combokey_combo", keys::shortcutChoices());
    const auto fillTexts = [this](const char* name, std::initializer_list<const char*> ids) {
        auto* combo = child<QComboBox>(name);
        if (!combo) return;
        const QSignalBlocker block(combo);
        combo->clear();
        for (const char* id : ids)
            ResourceManager::instance().addTextItem(combo, QString::fromLatin1(id));
        combo->setCurrentIndex(-1);
    };
    fillTexts("keyset_mouseswing_combo", {"keyset_swing_right", "keyset_swing_left"});
    fillTexts("keyset_macro_over_combo", {"keyset_repeat_0", "keyset_repeat_1", "keyset_repeat_2",
                                          "keyset_repeat_3", "keyset_repeat_4"});
    if (auto* combo = child<QComboBox>("keyset_function_combo")) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (int f = 0; f < keys::kFunctionCount; ++f)
            ResourceManager::instance().addTextItem(
                combo, QStringLiteral("keyset_fun_%1").arg(f), QString::number(f));
        combo->setCurrentIndex(-1);
    }
    // Numbers only, within their fields.
    const std::pair<const char*, int> edits[] = {
        {"keyset_mouseswing_num_edit", 127},  {"keyset_mouseswing_delay_edit", 15},
        {"keyset_mouseswing_speed_edit", 15}, {"keyset_mousefire_interval_edit", 255},
        {"keyset_mousefire_num_edit", 255},   {"keyset_macro_cycle_edit", 255}};
    for (const auto& [name, max] : edits)
        if (auto* e = child<QLineEdit>(name)) e->setValidator(new QIntValidator(0, max, e));
    ResourceManager::instance().setPlaceholderId(child<QLineEdit>("keyset_keyboard_text_edit"),
                                                 QStringLiteral("keyset_key_placeholder"));
    setRecoilTableCount(m_recoilTables);
}

void CKeySetControlUI::setDeviceKind(int kind) {
    m_kind = kind;
    fillCombos();
    if (auto* combo = child<QComboBox>("keyset_function_combo")) {
        setItemShown(combo, keys::kFunctionDpi, kind != 1);
        setItemShown(combo, keys::kFunctionRecoil, kind != 1);
    }
}

void CKeySetControlUI::setMacroFunctionVisible(bool flag) {
    fillCombos();
    setItemShown(child<QComboBox>("keyset_function_combo"), keys::kFunctionMacro, flag);
}

void CKeySetControlUI::setHeldFunctionsOffered(bool flag) {
    fillCombos();
    auto* combo = child<QComboBox>("keyset_function_combo");
    setItemShown(combo, keys::kFunctionSwing, flag);
    setItemShown(combo, keys::kFunctionFire, flag);
}

void CKeySetControlUI::fillMacroList(const QStringList& names) {
    auto* combo = child<QComboBox>("keyset_macro_combo");
    if (!combo) return;
    {
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(names);
        combo->setCurrentIndex(-1);
    }
    if (QWidget* empty = child("keyset_macro_empty")) empty->setVisible(names.isEmpty());
}

void CKeySetControlUI::insertMacro(int index, const QString& name) {
    if (auto* combo = child<QComboBox>("keyset_macro_combo")) {
        const QSignalBlocker block(combo);
        combo->insertItem(index, name);
    }
    if (QWidget* empty = child("keyset_macro_empty")) empty->hide();
}

void CKeySetControlUI::removeMacro(int index) {
    if (auto* combo = child<QComboBox>("keyset_macro_combo")) {
        const QSignalBlocker block(combo);
        combo->removeItem(index);
        if (QWidget* empty = child("keyset_macro_empty")) empty->setVisible(combo->count() == 0);
    }
}

void CKeySetControlUI::renameMacro(int index, const QString& name) {
    if (auto* combo = child<QComboBox>("keyset_macro_combo"))
        if (index >= 0 && index < combo->count()) combo->setItemText(index, name);
}

int CKeySetControlUI::macroCount() {
    auto* combo = child<QComboBox>("keyset_macro_combo");
    return combo ? combo->count() : 0;
}

void CKeySetControlUI::setRecoilTableCount(int count) {
    m_recoilTables = count;
    auto* combo = child<QComboBox>("keyset_gunkey_combo");
    if (!combo) return;
    const QSignalBlocker block(combo);
    const int keep = combo->currentIndex();
    combo->clear();
    for (int i = 0; i < count; ++i) combo->addItem(text("keyset_recoil_item").arg(i + 1));
    combo->setCurrentIndex(keep < count ? keep : -1);
}

void CKeySetControlUI::setKeyName(const QString& name) {
    m_keyName = name;
    if (auto* title = child<QLabel>("keyset_key_name")) {
        title->setText(name.isEmpty() ? text("keyset_title") : name.toUpper());
    }
    if (QWidget* hint = child("keyset_hint")) hint->setVisible(name.isEmpty());
}

void CKeySetControlUI::setBinding(const KeyBinding& binding) {
    m_binding = binding;
    m_original = binding;
    m_hasBinding = true;
    showAssignment();
}

void CKeySetControlUI::restoreOriginal() {
    m_binding = m_original;
    showAssignment();
}

void CKeySetControlUI::keepAsOriginal() {
    m_original = m_binding;
}

void CKeySetControlUI::showAssignment() {
    fillCombos();
    applyState(keys::showAssignment(m_binding, macroCount()));
}

void CKeySetControlUI::showDefault() {
    KeyBinding b = m_binding;
    b.keyIndex = b.defaultKeyIndex;
    b.assignment = b.defaultAssignment;
    applyState(keys::showAssignment(b, macroCount()));
}

void CKeySetControlUI::showCurrent() {
    showAssignment();
}

void CKeySetControlUI::setCurrentAssignment(const KeyBinding& record) {
    m_binding.keyIndex = record.keyIndex;
    m_binding.assignment = record.assignment;
}

KeyBinding CKeySetControlUI::encodeAssignment() {
    keys::encodeAssignment(state(), m_binding);
    return m_binding;
}

int CKeySetControlUI::selectedFunction() {
    auto* combo = child<QComboBox>("keyset_function_combo");
    if (!combo || combo->currentIndex() < 0) return -1;
    bool ok = false;
    const int f = combo->currentData().toString().toInt(&ok);
    return ok ? f : -1;
}

keys::KeyPanelState CKeySetControlUI::state() {
    keys::KeyPanelState s;
    s.function = selectedFunction();
    s.buttonItem = selected(child<QComboBox>("keyset_mousekey_combo"));
    s.swingItem = selected(child<QComboBox>("keyset_mouseswing_combo"));
    s.swingCount = textOf(child<QLineEdit>("keyset_mouseswing_num_edit")).toStdString();
    s.swingDelay = textOf(child<QLineEdit>("keyset_mouseswing_delay_edit")).toStdString();
    s.swingSpeed = textOf(child<QLineEdit>("keyset_mouseswing_speed_edit")).toStdString();
    s.wheelItem = selected(child<QComboBox>("keyset_mousewheel_combo"));
    s.dpiItem = selected(child<QComboBox>("keyset_mousedpi_combo"));
    s.fireInterval = textOf(child<QLineEdit>("keyset_mousefire_interval_edit")).toStdString();
    s.fireCount = textOf(child<QLineEdit>("keyset_mousefire_num_edit")).toStdString();
    s.modifierOption = selectedModifierOption();
    if (auto* e = child<QLineEdit>("keyset_keyboard_text_edit"); e && !e->text().isEmpty())
        s.keyTextId = e->property("textId").toString().toStdString();
    s.mediaItem = selected(child<QComboBox>("keyset_media_combo"));
    s.systemItem = selected(child<QComboBox>("keyset_system_combo"));
    s.macroItem = selected(child<QComboBox>("keyset_macro_combo"));
    s.macroCount = macroCount();
    s.repeatItem = selected(child<QComboBox>("keyset_macro_over_combo"));
    s.cycleText = textOf(child<QLineEdit>("keyset_macro_cycle_edit")).toStdString();
    s.recoilItem = selected(child<QComboBox>("keyset_gunkey_combo"));
    s.shortcutItem = selected(child<QComboBox>("keyset_combokey_combo"));
    return s;
}

void CKeySetControlUI::applyState(const keys::KeyPanelState& s) {
    switch (s.function) {
        case keys::kFunctionMouseButton:
            selectQuietly(child<QComboBox>("keyset_mousekey_combo"), s.buttonItem);
            break;
        case keys::kFunctionSwing:
            selectQuietly(child<QComboBox>("keyset_mouseswing_combo"), s.swingItem);
            setTextQuietly(child<QLineEdit>("keyset_mouseswing_num_edit"),
                           QString::fromStdString(s.swingCount));
            setTextQuietly(child<QLineEdit>("keyset_mouseswing_delay_edit"),
                           QString::fromStdString(s.swingDelay));
            setTextQuietly(child<QLineEdit>("keyset_mouseswing_speed_edit"),
                           QString::fromStdString(s.swingSpeed));
            break;
        case keys::kFunctionWheel:
            selectQuietly(child<QComboBox>("keyset_mousewheel_combo"), s.wheelItem);
            break;
        case keys::kFunctionDpi:
            selectQuietly(child<QComboBox>("keyset_mousedpi_combo"), s.dpiItem);
            break;
        case keys::kFunctionFire:
            setTextQuietly(child<QLineEdit>("keyset_mousefire_interval_edit"),
                           QString::fromStdString(s.fireInterval));
            setTextQuietly(child<QLineEdit>("keyset_mousefire_num_edit"),
                           QString::fromStdString(s.fireCount));
            break;
        case keys::kFunctionKeyboard:
            selectModifierOption(s.modifierOption);
            if (auto* e = child<QLineEdit>("keyset_keyboard_text_edit")) {
                e->setProperty("textId", QString::fromStdString(s.keyTextId));
                setTextQuietly(e, s.keyTextId.empty() ? QString() : text(s.keyTextId.c_str()));
            }
            break;
        case keys::kFunctionMedia:
            selectQuietly(child<QComboBox>("keyset_media_combo"), s.mediaItem);
            break;
        case keys::kFunctionSystem:
            selectQuietly(child<QComboBox>("keyset_system_combo"), s.systemItem);
            break;
        case keys::kFunctionMacro:
            selectQuietly(child<QComboBox>("keyset_macro_combo"), s.macroItem);
            selectQuietly(child<QComboBox>("keyset_macro_over_combo"), s.repeatItem);
            setTextQuietly(child<QLineEdit>("keyset_macro_cycle_edit"),
                           QString::fromStdString(s.cycleText));
            if (QWidget* row = child("keyset_macro_cycle_layout")) row->setVisible(s.cycleVisible);
            break;
        case keys::kFunctionRecoil:
            selectQuietly(child<QComboBox>("keyset_gunkey_combo"), s.recoilItem);
            break;
        case keys::kFunctionShortcut:
            selectQuietly(child<QComboBox>("keyset_combokey_combo"), s.shortcutItem);
            break;
        default:
            break;
    }
    // A function the combo does not offer hides the function area.
    auto* combo = child<QComboBox>("keyset_function_combo");
    const int item = combo ? combo->findData(QString::number(s.function)) : -1;
    const auto* view = combo ? qobject_cast<QListView*>(combo->view()) : nullptr;
    const bool offered = item >= 0 && !(view && view->isRowHidden(item));
    if (QWidget* area = child("keyset_layout")) area->setVisible(offered);
    if (!offered) return;
    selectQuietly(combo, item);
    showFunctionPage(s.function);
}

void CKeySetControlUI::showFunctionPage(int function) {
    if (auto* pages = child<QStackedWidget>("function_switch_tablayout"))
        if (function >= 0 && function < pages->count()) pages->setCurrentIndex(function);
}

void CKeySetControlUI::onFunctionChosen() {
    const int f = selectedFunction();
    showFunctionPage(f);
    if (f == keys::kFunctionKeyboard) {
        if (auto* e = child<QLineEdit>("keyset_keyboard_text_edit")) {
            e->setProperty("textId", QString());
            setTextQuietly(e, QString());
        }
        selectModifierOption(-1);
    }
}

void CKeySetControlUI::onRepeatChosen() {
    const bool count =
        selected(child<QComboBox>("keyset_macro_over_combo")) == keys::kRepeatCountItem;
    if (QWidget* row = child("keyset_macro_cycle_layout")) row->setVisible(count);
}

void CKeySetControlUI::selectModifierOption(int n) {
    for (int i = 0; i < 5; ++i)
        if (auto* b = child<QAbstractButton>(kModifierOptions[i])) {
            const QSignalBlocker block(b);
            b->setChecked(i == n);
        }
}

int CKeySetControlUI::selectedModifierOption() {
    for (int i = 0; i < 5; ++i)
        if (auto* b = child<QAbstractButton>(kModifierOptions[i]); b && b->isChecked()) return i;
    return -1;
}

void CKeySetControlUI::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    // The texts composed here: the title and the numbered recoil tables.
    setKeyName(m_keyName);
    setRecoilTableCount(m_recoilTables);
}

void CKeySetControlUI::setEditButtonsEnabled(bool flag) {
    for (const char* name : {"key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"})
        if (QWidget* b = child(name)) b->setEnabled(flag);
}

void CKeySetControlUI::setLocked(bool locked) {
    if (QWidget* area = child("keyset_layout")) area->setEnabled(!locked);
}

void CKeySetControlUI::setCapturing(bool on, bool failed) {
    m_capturing = on;
    if (auto* e = child<QLineEdit>("keyset_keyboard_text_edit")) {
        ResourceManager::instance().setPlaceholderId(
            e, QString::fromLatin1(on ? "keyset_key_capturing" : "keyset_key_placeholder"));
        e->setProperty("capturing", on);
        e->style()->unpolish(e);
        e->style()->polish(e);
    }
    if (auto* state = child<QLabel>("keyset_capture_state")) {
        state->setProperty("textId", failed ? QStringLiteral("keyset_capture_failed") : QString());
        state->setText(failed ? text("keyset_capture_failed") : QString());
        state->setVisible(failed);
    }
}

bool CKeySetControlUI::captureKey(uint8_t scanCode, bool extended) {
    const auto c = keys::captureKey(scanCode, extended, state());
    if (!c) return false;
    selectModifierOption(c->modifierOption);
    if (auto* e = child<QLineEdit>("keyset_keyboard_text_edit")) {
        e->setProperty("textId", QString::fromStdString(c->keyTextId));
        setTextQuietly(e, c->keyTextId.empty() ? QString() : text(c->keyTextId.c_str()));
    }
    m_binding.assignment = c->assignment;
    return true;
}

}  // namespace md
