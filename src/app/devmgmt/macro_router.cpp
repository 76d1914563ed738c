#include "app/devmgmt/macro_router.h"

#include <QFile>
#include <QMenu>
#include <QXmlStreamReader>

#include "app/devmgmt/device_manager.h"
#include "app/devmgmt/router_dialogs.h"
#include "app/shell/main_wnd.h"
#include "devlink/link/device_identity.h"
#include "pages/base/orrivale_usb_device.h"
#include "panels/device_profile_ui.h"
#include "panels/key_set_control_ui.h"
#include "panels/macro_control_ui.h"
#include "profiles/macro_list.h"
#include "ui/object_tree.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

// The macro action menu as a QMenu from its layout file: Menu, Item and Separator elements;
// an item's object name is its "name".
void buildMenu(QMenu& menu, QXmlStreamReader& xml) {
    auto& res = ResourceManager::instance();
    const auto textOf = [&](const QXmlStreamAttributes& a) {
        const QString t = res.text(a.value(QLatin1String("textId")).toString());
        return t.isEmpty() ? a.value(QLatin1String("text")).toString() : t;
    };
    while (xml.readNextStartElement()) {
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("Menu")) {
            QMenu* sub = menu.addMenu(textOf(a));
            sub->setObjectName(a.value(QLatin1String("name")).toString());
            buildMenu(*sub, xml);
        } else if (xml.name() == QLatin1String("Item")) {
            QAction* act = menu.addAction(textOf(a));
            act->setObjectName(a.value(QLatin1String("name")).toString());
            xml.skipCurrentElement();
        } else {
            if (xml.name() == QLatin1String("Separator")) menu.addSeparator();
            xml.skipCurrentElement();
        }
    }
}

int profileKindOf(const COrrivaleUSBDevice& m) {
    return m.getDeviceKind() == kind::kKeyboard ? kind::kKeyboard : kind::kMouseWired;
}

const std::pair<const char*, uint8_t> kMenuButtons[] = {
    {"left_", 0x01}, {"right_", 0x02}, {"middle_", 0x04}, {"back_", 0x08}, {"forward_", 0x10}};

}  // namespace

MacroRouter::MacroRouter(CMainWnd& wnd, DeviceManager& devices, capture::InputCapture& capture)
    : QObject(&wnd), m_wnd(wnd), m_devices(devices), m_capture(capture) {
    connect(&devices, &DeviceManager::deviceLeft, this, [this](COrrivaleUSBDevice* gone) {
        if (gone && gone == m_recordingFor) stopRecording();
    });
    confirm = [this](const QString& textId) { return askYesNo(m_wnd, textId); };
    inform = [this](const QString& text, bool isId) { tellUser(m_wnd, text, isId); };
    chooseFile = [this](bool save) {
        return chooseFileOf(&m_wnd, save,
                            ResourceManager::instance().text(QStringLiteral("macro_file_filter")),
                            QStringLiteral("mac"));
    };
    chooseMenuItem = [this](const QPoint& global) {
        QMenu menu(&m_wnd);
        QFile file(ResourceManager::instance().skinFolder() +
                   QStringLiteral("XML/Menus/macro_action_menu.xml"));
        if (!file.open(QIODevice::ReadOnly)) return QString();
        QXmlStreamReader xml(&file);
        if (xml.readNextStartElement()) buildMenu(menu, xml);
        const QAction* chosen = menu.exec(global);
        return chosen ? chosen->objectName() : QString();
    };
}

void MacroRouter::report(const CMacroControlUI& panel, int result) {
    if (result >= 0 || !inform) return;
    if (result == MacroList::kFull)
        inform(QStringLiteral("macro_limit_reached"), true);
    else if (result == MacroList::kNameTaken)
        inform(QStringLiteral("macro_name_taken"), true);
    else if (result == MacroList::kEmptyName || result == MacroList::kNoSuchMacro)
        return;
    else
        inform(QString::fromStdString(panel.problem()), false);
}

void MacroRouter::save(CMacroControlUI& panel) {
    report(panel, panel.saveMacro());
}

void MacroRouter::setEditLock(COrrivaleUSBDevice& model, bool locked) {
    if (QWidget* list = m_wnd.controls().find("device_select_layout")) list->setEnabled(!locked);
    if (auto* profiles = model.findChild<CDeviceProfileUI*>()) profiles->setEnabled(!locked);
    if (auto* keys = model.findChild<CKeySetControlUI*>()) keys->setLocked(locked);
}

void MacroRouter::startRecording(CMacroControlUI& panel, int mode, int delayMode) {
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    if (!model || panel.selectedMacro() < 0) return;
    if (panel.recording()) stopRecording();
    panel.startRecording(delayMode);
    m_capture.setSink({[this](int m, const capture::KeyRecord& r) {
                           if (COrrivaleUSBDevice* d = m_devices.selectedModel())
                               if (auto* p = d->findChild<CMacroControlUI*>()) p->recordKey(m, r);
                       },
                       [this](int m, const capture::MouseRecord& r) {
                           if (COrrivaleUSBDevice* d = m_devices.selectedModel())
                               if (auto* p = d->findChild<CMacroControlUI*>()) p->recordMouse(m, r);
                       },
                       [this] { stopRecording(); }});
    if (!m_capture.install(mode, true, true)) {
        // Nothing would be recorded: the editor does not claim to record.
        panel.stopRecording();
        if (inform) inform(QStringLiteral("keyset_capture_failed"), true);
        return;
    }
    setEditLock(*model, true);
    // Recording is for this device: it stops, keeping what it has, when the device leaves.
    m_recordingFor = model;
    // A page that goes away (the device was unplugged) ends the capture it asked for; only
    // the capture is touched, the rest of the window may be going too.
    connect(&panel, &QObject::destroyed, this, [this] {
        if (capture::isRecordingMode(m_capture.mode())) m_capture.uninstall();
    });
}

void MacroRouter::stopRecording() {
    m_recordingFor = nullptr;
    if (capture::isRecordingMode(m_capture.mode())) m_capture.uninstall();
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    auto* panel = model ? model->findChild<CMacroControlUI*>() : nullptr;
    if (model) setEditLock(*model, false);
    if (!panel || !panel->recording()) return;
    panel->stopRecording();
    save(*panel);
}

void MacroRouter::deleteMacro(COrrivaleUSBDevice& model, CMacroControlUI& panel) {
    const int i = panel.selectedMacro();
    if (i < 0 || (confirm && !confirm(QStringLiteral("message_text_4")))) return;
    bool assigned = false;
    if (const auto* keys = model.keyList())
        for (const KeyBinding& b : *keys)
            assigned = assigned || ((b.assignment[0] == 0x70 || b.assignment[0] == 0x71) &&
                                    b.assignment[1] == i);
    if (assigned && confirm && !confirm(QStringLiteral("message_text_2"))) return;
    // The model's pending key changes go to its file first: every profile is renumbered there.
    model.saveProfile();
    const int r = panel.deleteSelectedMacro();
    if (r < 0) return report(panel, r);
    const int changed = renumberMacroAssignmentsInProfiles(
        model.dataFolderPath(), profileKindOf(model), model.defaultTemplatePath(), size_t(i));
    if (changed < 0 && inform) inform(QStringLiteral("message_text_7"), true);
    if (auto* keys = model.findChild<CKeySetControlUI*>()) keys->removeMacro(i);
    model.loadProfile();
    model.showSettings();
    if (changed > 0) model.writeKeyAssignments(0);
}

void MacroRouter::onMenuItem(COrrivaleUSBDevice& model, CMacroControlUI& panel,
                             const QString& item) {
    const int checkedMode = panel.isFixedTimeChecked() ? 2 : 1;
    for (const auto& [prefix, mode] :
         {std::pair{QStringLiteral("redio_previous_"), int(capture::kRecordBefore)},
          std::pair{QStringLiteral("redio_later_"), int(capture::kRecordAfter)}}) {
        if (!item.startsWith(prefix)) continue;
        const QString how = item.mid(prefix.size());
        const int delay = how == QLatin1String("record_time")     ? checkedMode
                          : how == QLatin1String("constant_time") ? 2
                                                                  : 3;
        return startRecording(panel, mode, delay);
    }
    if (item == QLatin1String("macro_action_edit"))
        return startRecording(panel, capture::kRecordReplace, 3);
    for (const auto& [prefix, bit] : kMenuButtons) {
        if (!item.startsWith(QLatin1String(prefix))) continue;
        const QString what = item.mid(int(strlen(prefix)));
        if (what == QLatin1String("down") || what == QLatin1String("click"))
            panel.insertMouseButton(bit, true);
        if (what == QLatin1String("up") || what == QLatin1String("click"))
            panel.insertMouseButton(bit, false);
        save(panel);
        return;
    }
    (void)model;
}

bool MacroRouter::onClick(COrrivaleUSBDevice& model, CMacroControlUI& panel, const QString& s) {
    const auto is = [&](const char* name) { return s == QLatin1String(name); };
    if (is("macro_btn_starredio")) {
        startRecording(panel, capture::kRecordAppend, panel.isFixedTimeChecked() ? 2 : 1);
    } else if (is("macro_btn_stopredio")) {
        stopRecording();
    } else if (is("macro_btn_name_add")) {
        const int r = panel.addMacro();
        report(panel, r);
        if (r >= 0)
            if (auto* keys = model.findChild<CKeySetControlUI*>())
                keys->insertMacro(r, QString::fromStdString(panel.list().name(size_t(r))));
    } else if (is("macro_btn_name_sub")) {
        deleteMacro(model, panel);
    } else if (is("macro_btn_name_edit")) {
        const int r = panel.renameSelectedMacro();
        report(panel, r);
        if (r >= 0)
            if (auto* keys = model.findChild<CKeySetControlUI*>())
                keys->renameMacro(r, QString::fromStdString(panel.list().name(size_t(r))));
    } else if (is("macro_btn_save")) {
        save(panel);
        panel.keepAsRevertPoint();
    } else if (is("macro_btn_cancel")) {
        report(panel, panel.revertMacro());
    } else if (is("macro_btn_import") || is("macro_btn_export")) {
        const bool exporting = is("macro_btn_export");
        const QString path = chooseFile ? chooseFile(exporting) : QString();
        if (path.isEmpty()) return true;
        const int r = exporting ? panel.exportMacro(path.toStdString())
                                : panel.importMacro(path.toStdString());
        if (r < 0 && inform) {
            const QString text =
                ResourceManager::instance().text(exporting ? QStringLiteral("macro_export_failed")
                                                           : QStringLiteral("macro_import_failed"));
            inform(text.arg(QString::fromStdString(panel.problem())), false);
        } else if (!exporting) {
            if (auto* keys = model.findChild<CKeySetControlUI*>())
                keys->insertMacro(r, QString::fromStdString(panel.list().name(size_t(r))));
        }
    } else {
        const char* const edits[][2] = {{"macro_btn_up", "0"},     {"macro_btn_down", "1"},
                                        {"macro_btn_uptop", "2"},  {"macro_btn_downbottom", "3"},
                                        {"macro_btn_delete", "d"}, {"macro_btn_deleteall", "a"}};
        for (const auto& e : edits) {
            if (!is(e[0])) continue;
            if (e[1][0] == 'd')
                panel.deleteAction();
            else if (e[1][0] == 'a')
                panel.deleteAllActions();
            else
                panel.moveAction(e[1][0] - '0');
            save(panel);
            return true;
        }
        const char* const moves[] = {"macro_inset_moveleftkey_btn", "macro_inset_moverightkey_btn",
                                     "macro_inset_moveupkey_btn", "macro_inset_movedownkey_btn"};
        for (int d = 0; d < 4; ++d) {
            if (!is(moves[d])) continue;
            panel.insertMove(d);
            save(panel);
            return true;
        }
        return false;
    }
    return true;
}

bool MacroRouter::route(const Notification& n) {
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    auto* panel = model ? model->findChild<CMacroControlUI*>() : nullptr;
    if (!panel || !isInside(n.control, panel)) return false;
    if (n.type == QLatin1String("click")) return onClick(*model, *panel, n.sender);
    if (n.type == QLatin1String("itemselect") && n.sender == QLatin1String("macro_name_list")) {
        panel->selectMacro(int(n.wParam));
        return true;
    }
    if (n.type == QLatin1String("menu") && n.sender == QLatin1String("macro_action_list")) {
        if (panel->selectedMacro() < 0 || panel->recording() || !chooseMenuItem) return true;
        const QPoint at =
            n.control ? n.control->mapToGlobal(QPoint(int(n.wParam), int(n.lParam))) : QPoint();
        const QString item = chooseMenuItem(at);
        if (!item.isEmpty()) onMenuItem(*model, *panel, item);
        return true;
    }
    return false;
}

}  // namespace md
