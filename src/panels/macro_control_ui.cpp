#include "panels/macro_control_ui.h"

#include <QAbstractButton>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTimer>

#include "common/clock.h"
#include "panels/macro_action_delegate.h"
#include "panels/macro_action_model.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

const char* const kMoveEdits[] = {"mouse_x_left_edit", "mouse_x_right_edit", "mouse_y_up_edit",
                                  "mouse_y_down_edit"};

}  // namespace

CMacroControlUI::CMacroControlUI(QWidget* parent)
    : QWidget(parent),
      m_list(std::make_unique<MacroList>(std::string())),
      m_model(new MacroActionModel(this)) {}

CMacroControlUI::~CMacroControlUI() = default;

template <typename T>
T* CMacroControlUI::child(const char* name) const {
    return findChild<T*>(QLatin1String(name));
}

void CMacroControlUI::bind() {
    if (m_bound) return;
    m_bound = true;
    if (auto* view = child<QListView>("macro_action_list")) {
        view->setModel(m_model);
        view->setItemDelegate(new MacroActionDelegate(view));
        view->setUniformItemSizes(true);  // fast at 4000 rows
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        // The context menu is the main window's: it hears of it as the list's "menu".
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [view](const QPoint& at) {
            NotifyDispatcher::emitFrom(view, QStringLiteral("menu"), uintptr_t(at.x()), at.y());
        });
    }
    // An edited pause is saved at once.
    connect(m_model, &MacroActionModel::delayEdited, this, [this] { saveMacro(); });
    if (auto* e = child<QLineEdit>("macro_fixed_time_edit"))
        e->setValidator(new QIntValidator(0, 999999, e));
    for (const char* name : kMoveEdits)
        if (auto* e = child<QLineEdit>(name)) e->setValidator(new QIntValidator(0, 255, e));
    if (QWidget* stop = child("macro_btn_stopredio")) stop->hide();
    if (QWidget* hint = child("macro_recording_hint")) hint->hide();
}

void CMacroControlUI::setDataFolder(const std::string& folder) {
    m_list = std::make_unique<MacroList>(folder);
    loadMacroList();
}

bool CMacroControlUI::loadMacroList() {
    bind();
    const bool ok = m_list->load();
    if (auto* names = child<QListWidget>("macro_name_list")) {
        const QSignalBlocker block(names);
        names->clear();
        for (size_t i = 0; i < m_list->size(); ++i) {
            auto* item = new QListWidgetItem(QString::fromStdString(m_list->name(i)), names);
            item->setData(Qt::UserRole, QString::fromStdString(m_list->guid(i)));
            item->setSizeHint(QSize(0, 30));
        }
    }
    selectMacro(m_list->size() ? 0 : -1);
    return ok;
}

int CMacroControlUI::selectedMacro() {
    auto* names = child<QListWidget>("macro_name_list");
    return names ? names->currentRow() : -1;
}

void CMacroControlUI::setMacroControlsEnabled(bool on) {
    for (const char* name :
         {"macro_action_layout", "mouse_move_layout", "macro_btn_export", "macro_btn_name_sub",
          "macro_btn_name_edit", "macro_btn_starredio", "macro_btn_save", "macro_btn_cancel"})
        if (QWidget* w = child(name)) w->setEnabled(on);
}

void CMacroControlUI::selectMacro(int index) {
    bind();
    if (auto* names = child<QListWidget>("macro_name_list")) {
        const QSignalBlocker block(names);
        names->setCurrentRow(index);
    }
    const bool valid = index >= 0 && size_t(index) < m_list->size();
    m_model->setEvents(valid ? m_list->events(size_t(index)) : std::vector<MacroEvent>{});
    m_revertPoint = m_model->events();
    setMacroControlsEnabled(valid);
}

int CMacroControlUI::addMacro() {
    const int r = m_list->add();
    if (r < 0) return r;
    if (auto* names = child<QListWidget>("macro_name_list")) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_list->name(size_t(r))), names);
        item->setData(Qt::UserRole, QString::fromStdString(m_list->guid(size_t(r))));
        item->setSizeHint(QSize(0, 30));
    }
    selectMacro(r);
    return r;
}

int CMacroControlUI::deleteSelectedMacro() {
    const int i = selectedMacro();
    if (i < 0) return MacroList::kNoSuchMacro;
    const int r = m_list->remove(size_t(i));
    if (r < 0) return r;
    if (auto* names = child<QListWidget>("macro_name_list")) {
        const QSignalBlocker block(names);
        delete names->takeItem(i);
    }
    selectMacro(m_list->size() ? 0 : -1);
    return i;
}

int CMacroControlUI::renameSelectedMacro() {
    const int i = selectedMacro();
    auto* edit = child<QLineEdit>("macro_edit_macroname");
    if (i < 0 || !edit) return MacroList::kNoSuchMacro;
    const int r = m_list->rename(size_t(i), edit->text().toStdString());
    if (r < 0) return r;
    if (auto* names = child<QListWidget>("macro_name_list"))
        if (QListWidgetItem* item = names->item(i))
            item->setText(QString::fromStdString(m_list->name(size_t(i))));
    edit->clear();
    return i;
}

int CMacroControlUI::saveMacro() {
    const int i = selectedMacro();
    if (i < 0) return MacroList::kNoSuchMacro;
    return m_list->saveEvents(size_t(i), m_model->events());
}

void CMacroControlUI::reloadMacro() {
    selectMacro(selectedMacro());
}

int CMacroControlUI::revertMacro() {
    const int i = selectedMacro();
    if (i < 0) return MacroList::kNoSuchMacro;
    m_model->setEvents(m_revertPoint);
    return m_list->saveEvents(size_t(i), m_model->events());
}

void CMacroControlUI::keepAsRevertPoint() {
    m_revertPoint = m_model->events();
}

int CMacroControlUI::importMacro(const std::string& path) {
    const int r = m_list->importFile(path);
    if (r < 0) return r;
    loadMacroList();
    selectMacro(r);
    return r;
}

int CMacroControlUI::exportMacro(const std::string& path) {
    const int i = selectedMacro();
    if (i < 0) return MacroList::kNoSuchMacro;
    return m_list->exportFile(size_t(i), path);
}

bool CMacroControlUI::isFixedTimeChecked() {
    auto* b = child<QAbstractButton>("macro_check_time");
    return b && b->isChecked();
}

uint16_t CMacroControlUI::fixedDelay() {
    auto* e = child<QLineEdit>("macro_fixed_time_edit");
    if (!e) return 0;
    const qlonglong v = e->text().toLongLong();
    const auto d = uint16_t(std::clamp<qlonglong>(v, 0, 65535));
    if (QString::number(d) != e->text()) {
        e->setText(QString::number(d));
        e->setCursorPosition(int(e->text().size()));
    }
    return d;
}

void CMacroControlUI::startRecording(int delayMode) {
    m_recorder.start(delayMode, delayMode == capture::MacroRecorder::kFixedDelay ? fixedDelay() : 0,
                     SteadyClock::instance().nowMs());
    m_recording = true;
    for (const char* name : {"macro_name_tab", "macro_tab_macroaction_edit",
                             "macro_tab_macrodelay_edit", "mouse_move_layout", "macro_save_row"})
        if (QWidget* w = child(name)) w->setEnabled(false);
    if (auto* view = child<QListView>("macro_action_list"))
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (QWidget* w = child("macro_btn_starredio")) w->hide();
    if (QWidget* w = child("macro_btn_stopredio")) w->show();
    if (QWidget* w = child("macro_recording_hint")) w->show();
}

void CMacroControlUI::stopRecording() {
    m_recording = false;
    for (const char* name : {"macro_name_tab", "macro_tab_macroaction_edit",
                             "macro_tab_macrodelay_edit", "mouse_move_layout", "macro_save_row"})
        if (QWidget* w = child(name)) w->setEnabled(true);
    if (auto* view = child<QListView>("macro_action_list"))
        view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    if (QWidget* w = child("macro_btn_stopredio")) w->hide();
    if (QWidget* w = child("macro_btn_starredio")) w->show();
    if (QWidget* w = child("macro_recording_hint")) w->hide();
    setMacroControlsEnabled(selectedMacro() >= 0);
}

bool CMacroControlUI::applyRecorded(const std::vector<MacroEvent>& events, int selected) {
    m_model->assign(events);
    selectAction(selected);
    // Scrolled once the view has laid out the new row.
    if (auto* view = child<QListView>("macro_action_list"))
        QTimer::singleShot(50, view, [view, this] { view->scrollTo(view->currentIndex()); });
    return true;
}

bool CMacroControlUI::recordKey(int mode, const capture::KeyRecord& r) {
    if (!m_recording || selectedMacro() < 0) return false;
    std::vector<MacroEvent> events = m_model->events();
    int sel = selectedAction();
    if (!m_recorder.recordKey(mode, r, events, sel)) return false;
    return applyRecorded(events, sel);
}

bool CMacroControlUI::recordMouse(int mode, const capture::MouseRecord& r) {
    if (!m_recording || selectedMacro() < 0) return false;
    // The click on the stop button ends recording; it is no action of the macro.
    if (r.message == capture::kLeftDown || r.message == capture::kLeftUp)
        if (QWidget* stop = child("macro_btn_stopredio"); stop && stop->isVisible()) {
            const QRect area(stop->mapToGlobal(QPoint(0, 0)), stop->size());
            if (area.contains(QPoint(r.x, r.y))) return false;
        }
    std::vector<MacroEvent> events = m_model->events();
    int sel = selectedAction();
    if (!m_recorder.recordMouse(mode, r, events, sel)) return false;
    return applyRecorded(events, sel);
}

void CMacroControlUI::insertEvent(const MacroEvent& e) {
    if (m_model->events().size() >= kMaxMacroEvents) return;
    const int sel = selectedAction();
    const int at = sel >= 0 ? sel + 1 : 0;
    m_model->insert(at, e);
    selectAction(at);
}

void CMacroControlUI::insertMouseButton(uint8_t bit, bool down) {
    MacroEvent e;
    e.type = MacroEvent::kMouseButton;
    e.button = bit;
    e.down = down;
    e.delay = fixedDelay();
    insertEvent(e);
}

void CMacroControlUI::insertMove(int direction) {
    if (direction < 0 || direction > 3) return;
    MacroEvent e;
    e.type = direction < 2 ? MacroEvent::kMoveX : MacroEvent::kMoveY;
    e.down = direction == 0 || direction == 2;
    auto* edit = child<QLineEdit>(kMoveEdits[direction]);
    e.button = uint8_t(edit ? edit->text().toInt() & 0xFF : 0);
    e.delay = fixedDelay();
    insertEvent(e);
}

void CMacroControlUI::moveAction(int how) {
    const int sel = selectedAction();
    const int n = int(m_model->events().size());
    if (sel < 0) return;
    const int to = how == 0 ? sel - 1 : how == 1 ? sel + 1 : how == 2 ? 0 : n - 1;
    if (to < 0 || to >= n || to == sel) return;
    m_model->move(sel, to);
    selectAction(to);
}

void CMacroControlUI::deleteAction() {
    const int sel = selectedAction();
    if (sel < 0) return;
    m_model->remove(sel);
    selectAction(std::min(sel, int(m_model->events().size()) - 1));
}

void CMacroControlUI::deleteAllActions() {
    m_model->clear();
}

int CMacroControlUI::selectedAction() {
    auto* view = child<QListView>("macro_action_list");
    if (!view || !view->selectionModel()) return -1;
    const QModelIndex i = view->currentIndex();
    return i.isValid() && view->selectionModel()->isSelected(i) ? i.row() : -1;
}

void CMacroControlUI::selectAction(int row) {
    auto* view = child<QListView>("macro_action_list");
    if (!view || !view->selectionModel()) return;
    if (row < 0 || row >= m_model->rowCount()) {
        view->selectionModel()->clear();
        return;
    }
    view->selectionModel()->setCurrentIndex(m_model->index(row),
                                            QItemSelectionModel::ClearAndSelect);
}

}  // namespace md
