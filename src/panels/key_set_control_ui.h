#pragma once
// The key assignment panel of the keyboard and mouse pages ("KeySetControlItem", layout
// "XML/CustomControlXML/KeySetControl.xml"): the function of the selected key (factory, mouse
// button, wheel, DPI, fire, keyboard key with a modifier, media, system, macro, recoil table,
// shortcut) and the buttons that apply, undo and save it. It shows a key's binding in its
// controls and turns the controls back into an assignment with the key panel logic of
// md_core; the main window routes the user's changes to it and to the device model. Setters
// never notify. Missing controls are tolerated.

#include <QStringList>
#include <QWidget>

#include "input/keys/key_panel_codec.h"
#include "profiles/profile_records.h"

class QComboBox;
class QLineEdit;

namespace md {

class CKeySetControlUI : public QWidget {
    Q_OBJECT
  public:
    explicit CKeySetControlUI(QWidget* parent = nullptr);

    // 1 keyboard (no DPI key, no recoil table), 2 mouse. Fills the combos on first use.
    void setDeviceKind(int kind);
    int deviceKind() const { return m_kind; }
    void setMacroFunctionVisible(bool flag);
    // Rapid fire and repeated scrolling need a button that is held (not a wheel step).
    void setHeldFunctionsOffered(bool flag);
    // The macro combo: one item per macro name, none selected.
    void fillMacroList(const QStringList& names);
    void insertMacro(int index, const QString& name);
    void removeMacro(int index);
    void renameMacro(int index, const QString& name);
    int macroCount();
    // The recoil tables the recoil function offers.
    void setRecoilTableCount(int count);
    // The selected key's name above the function area ("" before a key is chosen: the hint).
    void setKeyName(const QString& name);

    // The selected key's binding: stored, and its current assignment shown.
    void setBinding(const KeyBinding& binding);
    // Undo: the binding the key had when it was chosen (or last written to the device) comes
    // back to the panel; the caller stores it.
    void restoreOriginal();
    void keepAsOriginal();
    const KeyBinding& originalBinding() const { return m_original; }
    const KeyBinding& binding() const { return m_binding; }
    bool hasBinding() const { return m_hasBinding; }
    void showDefault();
    void showCurrent();
    void setCurrentAssignment(const KeyBinding& record);
    // The controls as an assignment; it becomes the stored current assignment.
    KeyBinding encodeAssignment();

    void selectModifierOption(int n);  // -1 selects none
    int selectedModifierOption();
    void setEditButtonsEnabled(bool flag);
    // Locked while input is captured elsewhere (macro recording): the function area is inert.
    void setLocked(bool locked);

    // The function combo changed: its page, and for the keyboard key an empty edit.
    void onFunctionChosen();
    // The repeat combo changed: the count row shows for "repeat a number of times".
    void onRepeatChosen();
    // The keyboard-key edit captures keys (true) or not; failed: capture could not start.
    void setCapturing(bool on, bool failed = false);
    bool capturing() const { return m_capturing; }
    // A key went down while capturing; false when it is not a keyboard key.
    bool captureKey(uint8_t scanCode, bool extended);

    // The controls' state as the key panel logic reads it, and back.
    keys::KeyPanelState state();
    void applyState(const keys::KeyPanelState& s);
    int selectedFunction();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    template <typename T = QWidget>
    T* child(const char* name) const;
    void fillCombos();
    void showFunctionPage(int function);
    void showAssignment();
    QString text(const char* id) const;

    int m_kind = 2;
    KeyBinding m_binding;
    KeyBinding m_original;
    bool m_hasBinding = false;
    bool m_filled = false;
    bool m_capturing = false;
    int m_recoilTables = 0;
    QString m_keyName;
};

}  // namespace md
