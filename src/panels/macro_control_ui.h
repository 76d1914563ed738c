#pragma once
// The macro editor of the keyboard and mouse pages ("MacroControlItem", layout
// "XML/CustomControlXML/MacroControl.xml"): the device's macro list (add, delete, rename,
// import, export), the selected macro's actions in a model/view list (recorded from captured
// input with recorded, fixed or no delays; mouse buttons and moves inserted; moved, deleted,
// pauses edited) and its saving. Files go through MacroList; the main window routes the
// user's clicks here and keeps the key panel and the device in step.

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "input/capture/macro_recorder.h"
#include "profiles/macro_list.h"

class QListView;
class QListWidget;

namespace md {

class MacroActionModel;

class CMacroControlUI : public QWidget {
    Q_OBJECT
  public:
    explicit CMacroControlUI(QWidget* parent = nullptr);
    ~CMacroControlUI() override;

    // The device's data folder (ending with '/'); reads its macro list.
    void setDataFolder(const std::string& folder);
    // Reads the list again and shows it (the first macro selected); false when the list file
    // cannot be read (problem()).
    bool loadMacroList();
    const std::string& problem() const { return m_list->problem(); }
    const MacroList& list() const { return *m_list; }

    int selectedMacro();
    // Shows macro index (its actions), or none for -1.
    void selectMacro(int index);
    // The list operations; an index or a MacroList result.
    int addMacro();
    int deleteSelectedMacro();
    int renameSelectedMacro();  // the name edit's text
    int saveMacro();
    void reloadMacro();
    // Every edit is written at once; Revert puts back (and writes) the actions the macro had
    // when it was chosen or last saved with the Save button, deleted ones included.
    int revertMacro();
    void keepAsRevertPoint();
    int importMacro(const std::string& path);
    int exportMacro(const std::string& path);

    // Recording (delay mode 1 recorded, 2 fixed, 3 none): controls locked while it runs.
    void startRecording(int delayMode);
    void stopRecording();
    bool recording() const { return m_recording; }
    bool isFixedTimeChecked();
    // The fixed delay typed (kept within 0-65535 and shown so).
    uint16_t fixedDelay();
    bool recordKey(int mode, const capture::KeyRecord& r);
    bool recordMouse(int mode, const capture::MouseRecord& r);

    // Inserted after the selected action (at the top without one), then selected.
    void insertMouseButton(uint8_t bit, bool down);
    void insertMove(int direction);  // 0 left, 1 right, 2 up, 3 down: the matching edit's distance
    void moveAction(int how);        // 0 up, 1 down, 2 to the top, 3 to the bottom
    void deleteAction();
    void deleteAllActions();

    MacroActionModel& actions() { return *m_model; }
    int selectedAction();
    void selectAction(int row);

  private:
    template <typename T = QWidget>
    T* child(const char* name) const;
    void bind();
    void setMacroControlsEnabled(bool on);
    void insertEvent(const MacroEvent& e);
    bool applyRecorded(const std::vector<MacroEvent>& events, int selected);

    std::unique_ptr<MacroList> m_list;
    MacroActionModel* m_model;  // child of this panel
    std::vector<MacroEvent> m_revertPoint;
    capture::MacroRecorder m_recorder;
    bool m_bound = false;
    bool m_recording = false;
};

}  // namespace md
