#include "app/shell/set_wnd.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/shell/app_messages.h"
#include "app/shell/update_info_list_item_ui.h"
#include "common/dbg_out.h"
#include "online/update_check.h"
#include "online/update_request.h"
#include "online/update_time_file.h"
#include "ui/keyboard_access.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"
#include "ui/title_bar_drag.h"

namespace md {
namespace {

bool is(const Notification& n, const char* name) {
    return n.sender == QLatin1String(name);
}

bool needsUpdate(int state) {
    return state == update_row::kNeedUpdate || state == update_row::kNeedUpdateToo;
}

bool isUpdating(int state) {
    return state >= update_row::kDownloadWait && state <= update_row::kUpdating;
}

// Text id and picture of each overall status.
struct StatusLook {
    const char* textId;
    const char* image;
};
StatusLook statusLook(int status) {
    switch (status) {
        case update_status::kChecking:
            return {"GetUpdateInfoText", ""};
        case update_status::kUpdatesFound:
            return {"HaveUpdateInfoText", "common/update_found.svg"};
        case update_status::kUpdating:
            return {"ISUpdateINGText", "common/update_found.svg"};
        case update_status::kUpToDate:
            return {"UpdateIsLastText", "common/update_ok.svg"};
        case update_status::kNoService:
            return {"UpdateNoServiceText", "common/info.svg"};
        default:
            return {"NoUpdateInfoText", "common/update_warn.svg"};
    }
}

// Hands the worker's results to the window's thread; the window outlives the worker.
class QueuedUpdateSink final : public UpdateCheckSink {
  public:
    explicit QueuedUpdateSink(CSetWnd* wnd) : m_wnd(wnd) {}
    void rowChecked(size_t index, const UpdateInfo& info) override {
        CSetWnd* wnd = m_wnd;
        QMetaObject::invokeMethod(
            wnd, [wnd, index, info] { wnd->showRow(index, info); }, Qt::QueuedConnection);
    }
    void finished(int status) override {
        CSetWnd* wnd = m_wnd;
        QMetaObject::invokeMethod(
            wnd, [wnd, status] { wnd->finishCheck(status); }, Qt::QueuedConnection);
    }

  private:
    CSetWnd* m_wnd;
};

}  // namespace

CSetWnd::CSetWnd(SetWndSetup setup, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_setup(std::move(setup)),
      m_controls(this),
      m_sink(std::make_unique<QueuedUpdateSink>(this)) {
    setObjectName("SetWnd");
    setProperty("titleId", QStringLiteral("setwnd_title"));
    resize(kWidth, kHeight);
    LayoutBuilder builder;
    if (!builder.buildInto("setwnd.xml", this)) dbgOut("settings layout missing");
    ResourceManager::instance().applyTexts(this);
    if (auto* scroll = m_controls.find<QScrollArea>("device_update_list_scroll")) {
        scroll->viewport()->setAutoFillBackground(false);
        if (QWidget* list = scroll->widget()) list->setAutoFillBackground(false);
    }
    TitleBarDrag::install(m_controls.find("setwnd_title_bar"));
    fillLanguages();
    showAutostart();
    showLightingServer();
    buildRows();
    new NotifyDispatcher(*this, this);
    updateZoomButtons();
    updateStartButton();
    if (!m_setup.timeFile.empty()) m_checkDate = lastCheckDateOrToday(m_setup.timeFile);
    startCheck();
}

CSetWnd::~CSetWnd() {
    stopWorkers();
}

std::vector<CUpdateInfoListItemUI*> CSetWnd::rows() const {
    std::vector<CUpdateInfoListItemUI*> out;
    for (const auto& r : m_rows)
        if (r) out.push_back(r);
    return out;
}

void CSetWnd::fillLanguages() {
    auto* combo = m_controls.find<QComboBox>("Language_combox_info");
    if (!combo) return;
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const LanguageEntry& e : m_setup.languages) combo->addItem(e.name);
    combo->setCurrentIndex(m_setup.languageIndex);
}

void CSetWnd::showAutostart() {
    auto* box = m_controls.find<QAbstractButton>("autostart_check");
    if (!box) return;
    box->setVisible(m_setup.autostart.has_value());
    const QSignalBlocker quiet(box);
    box->setChecked(m_setup.autostart && m_setup.autostart->enabled());
}

void CSetWnd::showLightingServer() {
    const bool offered = bool(m_setup.lightingServer.apply);
    for (const char* name : {"sdk_server_row", "sdk_address_note"})
        if (QWidget* w = m_controls.find(name)) w->setVisible(offered);
    auto* box = m_controls.find<QAbstractButton>("sdk_server_check");
    auto* edit = m_controls.find<QLineEdit>("sdk_address_edit");
    if (!box || !edit) return;
    const QSignalBlocker quietBox(box);
    const QSignalBlocker quietEdit(edit);
    box->setChecked(m_setup.lightingServer.on);
    edit->setText(m_setup.lightingServer.address);
}

// The switch and the address take effect at once; the switch shows whether it runs.
void CSetWnd::applyLightingServer(bool on, const QString& address) {
    SetWndSetup::LightingServer& s = m_setup.lightingServer;
    if (!s.apply) return;
    const QString problem = s.apply(on, address.trimmed());
    s.on = on && problem.isEmpty();
    s.address = address.trimmed();
    showLightingServer();
    if (!problem.isEmpty() && m_setup.reportProblem) m_setup.reportProblem(problem);
}

// The switch shows what the file says afterwards, also when the change failed.
void CSetWnd::switchAutostart(bool on) {
    if (!m_setup.autostart) return;
    const std::string problem = m_setup.autostart->setEnabled(on);
    showAutostart();
    if (problem.empty()) return;
    dbgOut("autostart: " + problem);
    if (m_setup.reportProblem) m_setup.reportProblem(QString::fromStdString(problem));
}

namespace {

// What a row is, in words: the program itself, or a device's firmware.
QString rowName(const std::string& name) {
    const ResourceManager& res = ResourceManager::instance();
    if (name == "AP") return res.text(QStringLiteral("update_row_program"));
    return res.text(QStringLiteral("update_row_firmware"))
        .replace(QLatin1String("%1"), QString::fromStdString(name));
}

}  // namespace

void CSetWnd::buildRows() {
    QWidget* list = m_controls.find("device_update_list_info");
    auto* layout = list ? qobject_cast<QVBoxLayout*>(list->layout()) : nullptr;
    if (!layout) return;
    for (const UpdateEntry& entry : m_setup.entries) {
        auto* row = new CUpdateInfoListItemUI(list);
        const UpdateInfo local = localUpdateInfo(entry);
        row->setName(rowName(local.name));
        row->setOldRev(QString::fromStdString(local.currentVersionText));
        row->setState(update_row::kUpdated);
        // Rows go above the list's closing stretch.
        layout->insertWidget(std::max(0, layout->count() - 1), row);
        m_rows.emplace_back(row);
    }
}

void CSetWnd::startCheck() {
    m_rowsChecked = 0;
    setOverallStatus(update_status::kChecking);
    UpdateCheckJob job;
    job.entries = m_setup.entries;
    job.serviceUrl = m_setup.serviceUrl;
    job.http = m_setup.http;
    job.timeFile = m_setup.timeFile;
    UpdateCheckSink* sink = m_sink.get();
    m_worker.start(
        [job = std::move(job), sink](const StopEvent& stop) { runUpdateCheck(job, sink, &stop); });
}

bool CSetWnd::stopWorkers() {
    return m_worker.stop(kWorkerBound, kThreadEndedText, kThreadTimedOutText);
}

void CSetWnd::showRow(size_t index, const UpdateInfo& info) {
    if (index >= m_rows.size() || !m_rows[index]) return;
    CUpdateInfoListItemUI* row = m_rows[index];
    row->setName(rowName(info.name));
    row->setOldRev(QString::fromStdString(info.currentVersionText));
    row->setUpdateRev(QString::fromStdString(info.latestVersionText));
    row->setDownloadPath(QString::fromStdString(info.downloadPath));
    row->setState(info.status);
    ++m_rowsChecked;
    if (auto* ring = m_controls.find<QProgressBar>("update_status_ring"))
        ring->setValue(static_cast<int>(m_rowsChecked * 100 / std::max<size_t>(1, m_rows.size())));
}

void CSetWnd::finishCheck(int status) {
    for (CUpdateInfoListItemUI* row : rows()) {
        if (row->state() == update_row::kUpdated || row->state() == update_row::kNoUpdate) {
            if (QAbstractButton* box = row->checkBox()) box->setEnabled(false);
            continue;
        }
        if (QAbstractButton* box = row->checkBox()) {
            box->setEnabled(true);
            box->setChecked(true);  // with its change notification
        }
    }
    updateStartButton();
    if (status == update_status::kUpToDate && !m_setup.timeFile.empty()) {
        const std::string stored = readLastCheckDate(m_setup.timeFile);
        m_checkDate = stored.empty() ? todayDateText() : stored;
    }
    setOverallStatus(status);
}

void CSetWnd::setOverallStatus(int status) {
    m_status = status;
    const StatusLook look = statusLook(status);
    const bool checking = status == update_status::kChecking;
    if (QWidget* ring = m_controls.find("update_status_ring")) ring->setVisible(checking);
    if (auto* image = m_controls.find<QLabel>("update_status_image")) {
        image->setVisible(!checking);
        if (!checking) {
            image->setProperty("skinImage", QString::fromLatin1(look.image));
            LayoutBuilder::applySkinImages(image);
        }
    }
    showStatusText();
    if (status == update_status::kUpToDate && m_setup.sendToMain)
        m_setup.sendToMain(msg::kClearUpdateBadge, 0, 0);
}

void CSetWnd::showStatusText() {
    auto* label = m_controls.find<QLabel>("Update_Status_text");
    if (!label) return;
    const StatusLook look = statusLook(m_status);
    const ResourceManager& res = ResourceManager::instance();
    if (m_status == update_status::kUpToDate) {
        // A composed text: no text id, so that a language reload does not replace it.
        label->setProperty("textId", QVariant());
        label->setText(res.text(look.textId) + QString::fromStdString(m_checkDate));
    } else {
        res.setTextId(label, look.textId);
    }
}

void CSetWnd::updateStartButton() {
    bool ticked = false;
    for (CUpdateInfoListItemUI* row : rows()) ticked = ticked || row->isTicked();
    if (QWidget* b = m_controls.find("update_fw_and_ap")) {
        b->setEnabled(ticked);
        b->setVisible(ticked);
    }
}

void CSetWnd::confirmUpdate() {
    bool started = false;
    for (CUpdateInfoListItemUI* row : rows()) {
        // A failed row can be tried again.
        if (!needsUpdate(row->state()) && row->state() != update_row::kUpdateFailed) continue;
        if (row->isTicked()) {
            row->setProgress(0);
            row->setState(update_row::kDownloadWait);
            started = true;
        } else if (QAbstractButton* box = row->checkBox()) {
            box->setEnabled(false);
        }
    }
    if (QWidget* b = m_controls.find("update_fw_and_ap")) b->setEnabled(false);
    if (auto* tabs = m_controls.find<QStackedWidget>("get_update_tab_layout"))
        tabs->setCurrentIndex(0);
    if (started) setOverallStatus(update_status::kUpdating);
}

CUpdateInfoListItemUI* CSetWnd::rowBeingUpdated() const {
    for (CUpdateInfoListItemUI* row : rows())
        if (isUpdating(row->state())) return row;
    return nullptr;
}

void CSetWnd::onUpdateProgress(uintptr_t wParam, intptr_t lParam) {
    CUpdateInfoListItemUI* row = rowBeingUpdated();
    if (!row) return;
    switch (wParam) {
        case 1:
            row->setOldRev(row->updateRev());
            row->setUpdateRev(QString());
            row->setState(update_row::kUpdated);
            if (QAbstractButton* box = row->checkBox()) box->setChecked(false);
            settleAfterUpdate();
            break;
        case 2:
        case 3:
            row->setState(update_row::kUpdateFailed);
            settleAfterUpdate();
            break;
        case 4: {
            const int percent = static_cast<int>(std::clamp<intptr_t>(lParam, 0, 100));
            if (row->state() == update_row::kDownloadWait) row->setState(update_row::kDownloading);
            if (row->state() == update_row::kDownloaded) row->setState(update_row::kUpdating);
            row->setProgress(percent);
            if (row->state() == update_row::kDownloading && percent >= 100)
                row->setState(update_row::kDownloaded);
            break;
        }
        default:
            break;
    }
}

// Once no row waits or runs any more, the rows that still have something to do can be chosen
// again and the overall status says whether there are any.
void CSetWnd::settleAfterUpdate() {
    if (rowBeingUpdated()) return;
    bool pending = false;
    for (CUpdateInfoListItemUI* row : rows()) {
        const int s = row->state();
        if (!needsUpdate(s) && s != update_row::kUpdateFailed) continue;
        pending = true;
        if (QAbstractButton* box = row->checkBox()) box->setEnabled(true);
    }
    updateStartButton();
    if (!pending && !m_setup.timeFile.empty()) {
        const std::string stored = readLastCheckDate(m_setup.timeFile);
        if (!stored.empty()) m_checkDate = stored;
    }
    setOverallStatus(pending ? update_status::kUpdatesFound : update_status::kUpToDate);
}

bool CSetWnd::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == msg::kLanguageChanged) {
        if (auto* combo = m_controls.find<QComboBox>("Language_combox_info")) {
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(static_cast<int>(wParam));
        }
        if (m_status == update_status::kUpToDate) showStatusText();
        update();
        return true;
    }
    if (message == msg::kUpdateProgress) {
        onUpdateProgress(wParam, lParam);
        return true;
    }
    return false;
}

void CSetWnd::notify(const Notification& n) {
    if (n.type == QLatin1String("selectchanged") && is(n, "check_name_select")) {
        updateStartButton();
        return;
    }
    if (n.type == QLatin1String("selectchanged") && is(n, "autostart_check")) {
        switchAutostart(n.wParam != 0);
        return;
    }
    if (n.type == QLatin1String("selectchanged") && is(n, "sdk_server_check")) {
        auto* edit = m_controls.find<QLineEdit>("sdk_address_edit");
        applyLightingServer(n.wParam != 0, edit ? edit->text() : QString());
        return;
    }
    if (n.type == QLatin1String("killfocus") && is(n, "sdk_address_edit")) {
        auto* edit = m_controls.find<QLineEdit>("sdk_address_edit");
        if (edit && edit->text().trimmed() != m_setup.lightingServer.address)
            applyLightingServer(m_setup.lightingServer.on, edit->text());
        return;
    }
    if (n.type == QLatin1String("itemselect") && is(n, "Language_combox_info")) {
        if (m_setup.sendToMain)
            m_setup.sendToMain(msg::kLanguageChanged, static_cast<uintptr_t>(n.wParam), 0);
        return;
    }
    if (n.type != QLatin1String("click")) return;
    auto* tabs = m_controls.find<QStackedWidget>("get_update_tab_layout");
    if (is(n, "update_fw_and_ap")) {
        if (tabs) tabs->setCurrentIndex(1);
    } else if (is(n, "update_OK_btn")) {
        confirmUpdate();
    } else if (is(n, "update_back_btn")) {
        if (tabs) tabs->setCurrentIndex(0);
    } else if (is(n, "set_in_update_wnd_btn")) {
        if (QWidget* hint = m_controls.find("update_tishi_layout")) hint->hide();
        resize(kWidth, kHeight);
    } else if (is(n, "closebtn") || is(n, "laterbtn")) {
        close();
    } else if (is(n, "minbtn")) {
        showMinimized();
    } else if (is(n, "maxbtn")) {
        showMaximized();
        updateZoomButtons();
    } else if (is(n, "restorebtn")) {
        showNormal();
        updateZoomButtons();
    }
    // "homepage_btn" and "menubtn" do nothing.
}

void CSetWnd::updateZoomButtons() {
    const bool zoomed = isMaximized();
    if (QWidget* w = m_controls.find("maxbtn")) w->setVisible(!zoomed);
    if (QWidget* w = m_controls.find("restorebtn")) w->setVisible(zoomed);
}

void CSetWnd::reject() {
    close();
}

void CSetWnd::closeEvent(QCloseEvent* event) {
    // Always allowed: rows that wait for another program must not keep the window open.
    stopWorkers();
    event->accept();
}

bool CSetWnd::focusNextPrevChild(bool next) {
    return moveFocusInReadingOrder(this, next);
}

}  // namespace md
