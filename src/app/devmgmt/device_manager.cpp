#include "app/devmgmt/device_manager.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QStackedWidget>

#include "app/devmgmt/model_pages.h"
#include "app/devmgmt/page_router.h"
#include "app/devmgmt/same_mode.h"
#include "app/shell/app_messages.h"
#include "app/shell/main_wnd.h"
#include "app/shell/worker_slots.h"
#include "common/clock.h"
#include "common/dbg_out.h"
#include "controls/device_option_ui.h"
#include "controls/mp_device_power_ui.h"
#include "devices/device_registry.h"
#include "devlink/hid/hid_backend.h"
#include "devlink/link/device_detector.h"
#include "pages/mouse/orrivale_mouse_device.h"
#include "ui/control_finder.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"

namespace md {
ModelList modelListOf(uint32_t deviceKind) {
    // The lists follow the registry's rows.
    const DeviceModelRow* row = modelRowForKind(static_cast<uint16_t>(deviceKind));
    return row ? static_cast<ModelList>(row - kDeviceModels.data()) : ModelList::None;
}

DeviceManager::DeviceManager(CMainWnd& wnd, const DeviceTable& table)
    : QObject(&wnd), m_wnd(wnd), m_slots(table) {
    MainWndHooks& h = wnd.hooks();
    h.onFirstInit = [this] { return onFirstInit(); };
    h.onDeviceArrived = [this](int slot) { onDeviceArrived(slot); };
    h.onDeviceRemoved = [this](int slot) { onDeviceRemoved(slot); };
    h.onTileVisibility = [this](int tile, int visible) { onTileVisibility(tile, visible); };
    h.shownTileCount = [this] { return firstShownTile().second; };
    m_router = new PageRouter(wnd, *this);
    h.onLightControl = [this](int flag) {
        for (const Entry& e : m_entries)
            if (modelListOf(e.tile->kind()) != ModelList::Headsets)
                e.model->setHostLighting(flag != 0);
    };
    h.onActivity = [this](bool active, bool hovering) {
        for (const Entry& e : m_entries)
            if (modelListOf(e.tile->kind()) != ModelList::Headsets)
                e.model->setPreviewEnabled(active || hovering);
    };
}

// The manager is a child of the window and goes after the window's own members: its worker
// slots have stopped detection by then.
DeviceManager::~DeviceManager() = default;

bool DeviceManager::onFirstInit() {
    buildDevicePages();
    showTile(-1, false, false);  // the empty state
    return startDetection();
}

bool DeviceManager::startDetection() {
    if (m_detector) return false;
    m_detector =
        std::make_unique<DeviceDetector>(m_slots, m_wnd.uiDispatcher(), defaultHidBackend());
    DeviceDetector* detector = m_detector.get();
    return m_wnd.workers().start(WorkerSlots::kDetectionSlot,
                                 [detector](const StopEvent& stop) { detector->run(stop); });
}

const std::vector<COrrivaleUSBDevice*>& DeviceManager::models(ModelList list) const {
    static const std::vector<COrrivaleUSBDevice*> kNone;
    return list == ModelList::None ? kNone : m_lists[static_cast<int>(list)];
}

std::pair<uint16_t, uint16_t> DeviceManager::rowIds(size_t row) const {
    const DeviceModelRow& r = kDeviceModels[row];
    if (r.vendorId != 0 || r.productId != 0) return {r.vendorId, r.productId};
    // Keyboard and mousepad rows ship without identifiers: the device table, completed from
    // the device identifier configuration, has them.
    for (const DeviceIdentity& id : m_slots.table())
        if (id.deviceKind == kindValue(r.kind) && id.collectionRole == kRoleCommand)
            return {id.vendorId, id.productId};
    return {0, 0};
}

void DeviceManager::buildDevicePages() {
    const DeviceTable& table = m_slots.table();
    for (size_t i = 0; i < kDeviceModels.size(); ++i) {
        const auto [vendor, product] = rowIds(i);
        if (vendor == 0 && product == 0) continue;  // no identifiers configured
        const int slot =
            findTableRow(table, vendor, product, kindValue(kDeviceModels[i].kind), kRoleCommand);
        if (slot < 0) continue;
        createDevicePage(slot, kRoleCommand);
    }
}

bool DeviceManager::createDevicePage(int slot, uint32_t role) {
    const DeviceIdentity id = m_slots.at(slot);
    const uint16_t mode = modelKindOf(id.deviceKind);
    DeviceIdentity source = id;
    if (isReceiverKind(id.deviceKind) && id.hasPartner) source = m_slots.at(id.partnerSlot);
    int rowIndex = -1;
    for (size_t i = 0; i < kDeviceModels.size(); ++i) {
        const auto [vendor, product] = rowIds(i);
        if (vendor == source.vendorId && product == source.productId &&
            kindValue(kDeviceModels[i].kind) == mode && role == kRoleCommand) {
            rowIndex = static_cast<int>(i);
            break;
        }
    }
    const ModelList list = modelListOf(mode);
    if (rowIndex < 0 || list == ModelList::None) return false;
    const DeviceModelRow& row = kDeviceModels[rowIndex];
    const ModelPage& page = modelPageOf(row);

    auto* deviceSwitch = m_wnd.controls().find<QStackedWidget>("device_switch");
    auto* powerSwitch = m_wnd.controls().find<QStackedWidget>(page.powerSwitch);
    QWidget* tileList = m_wnd.controls().find("device_select_layout");
    if (!deviceSwitch || !powerSwitch || !tileList) return false;

    // The three trees: battery tile, device tile, page (the model itself).
    LayoutBuilder builder(&CMainWnd::layoutTags());
    CMpDevicePowerUI* power = CMpDevicePowerUI::build(powerSwitch);
    auto* tile = qobject_cast<CDeviceOptionUI*>(builder.build(page.tileLayout, tileList));
    auto* model = qobject_cast<COrrivaleUSBDevice*>(builder.build(page.pageLayout, deviceSwitch));
    if (!power || !tile || !model) {
        dbgOut("device page layout did not build");
        delete power;
        delete tile;
        delete model;
        return false;
    }
    powerSwitch->addWidget(power);
    power->setKindRole(mode, role);

    model->setLayoutFile(page.pageLayout);
    model->setOwnerWindow(&m_wnd);
    model->setKeyCount(row.keyCount);
    model->setLedCount(row.ledCount);
    model->setTableIndex(rowIndex);
    model->setHasPowerStatus(row.has(kCapPowerStatus));
    auto* mouse = qobject_cast<COrrivaleMouseDevice*>(model);
    if (mouse) mouse->setLogoLed(row.logoLed);
    model->setProfileName("");
    model->setModelFolder(row.folder);
    model->setPowerTile(power);
    model->setIdentity(id);
    model->setLightTableIndex(row.lightTable);
    model->setLightListName(row.lightList);
    model->bindPageControls();
    const int pageIndex = deviceSwitch->addWidget(model);
    m_wnd.dispatcher().attach(model);
    m_lists[static_cast<int>(list)].push_back(model);
    if (mouse) m_mice.push_back(mouse);

    if (auto* box = qobject_cast<QBoxLayout*>(tileList->layout())) box->addWidget(tile);
    tile->setSynchroVisible(false);
    tile->setTileGroup(page.tileGroup);
    tile->bindPage("device_switch", pageIndex);
    tile->bindPowerTile(page.powerSwitch, powerSwitch->indexOf(power));
    tile->setTileKind(mode, role);
    tile->hide();
    tile->setTileName(QString::fromUtf8(row.folder));
    if (auto* name = tile->findChild<QLabel*>("device_select_name"))
        ResourceManager::instance().setTextId(
            name, QStringLiteral("device_name_") + (*row.folder ? row.folder : row.name));
    tile->setModel(model);
    tile->setPreviewPanel(model->selectPanel());
    wireTile(tile, model);
    m_entries.push_back(Entry{model, tile, power});
    return true;
}

void DeviceManager::wireTile(CDeviceOptionUI* tile, COrrivaleUSBDevice* model) {
    tile->setMessageSink(
        [this](uint32_t m, uintptr_t w, intptr_t l) { m_wnd.handleMessage(m, w, l); });
    // "selectchanged" of "device_select" reaches the option table through the dispatcher.
    m_wnd.dispatcher().attach(tile);
    connect(model, &COrrivaleUSBDevice::tileTimerRequested, tile, [tile](int timer, int ms) {
        if (timer == CDeviceOptionUI::kReadAgainTimer) tile->requestReadAgain(ms);
    });
    connect(model, &COrrivaleUSBDevice::ownerMessage, this,
            [this](int message, qint64 w, qint64 l) {
                m_wnd.handleMessage(static_cast<uint32_t>(message), static_cast<uintptr_t>(w),
                                    static_cast<intptr_t>(l));
            });
    connect(model, &COrrivaleUSBDevice::problemFound, this,
            [this](const QString& text) { m_wnd.showProblemOnce(text); });
    model->setPowerTileUpdater([tile](QWidget* powerTile, const PowerStatus& status) {
        if (auto* power = qobject_cast<CMpDevicePowerUI*>(powerTile))
            power->showPowerStatus(status);
        tile->showPowerStatus(status);
    });
}

// ---- arrival and removal ----

int DeviceManager::entryOf(const COrrivaleUSBDevice* model) const {
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].model == model) return static_cast<int>(i);
    return -1;
}

std::vector<ModelConnection> DeviceManager::connections() const {
    std::vector<ModelConnection> out;
    out.reserve(m_entries.size());
    for (const Entry& e : m_entries) {
        ModelConnection c;
        c.identity = e.model->getIdentity();
        c.open = e.model->commandLink().isOpen();
        c.route = e.model->session().route();
        for (const KindFacts& f : kDeviceKinds) {
            const uint16_t k = kindValue(f.kind);
            if (modelKindOf(k) == modelKindOf(c.identity.deviceKind) &&
                e.model->eventChannelOpen(k))
                c.openEvents.push_back(k);
        }
        out.push_back(std::move(c));
    }
    return out;
}

void DeviceManager::onDeviceArrived(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= m_slots.size()) return;
    const DeviceIdentity id = m_slots.at(slot);
    carryOut(actionsOnArrival(m_slots, static_cast<size_t>(slot), connections()));
    if (kindFacts(id.deviceKind) && id.collectionRole == kRoleCommand) m_wnd.bringToFront();
}

void DeviceManager::onDeviceRemoved(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= m_slots.size()) return;
    // The detector freed the slot already; the table row still names the collection.
    carryOut(actionsOnRemoval(m_slots, static_cast<size_t>(slot), connections()));
}

void DeviceManager::carryOut(const std::vector<ConnectionAction>& actions) {
    using Type = ConnectionAction::Type;
    bool changed = false;
    for (const ConnectionAction& a : actions) {
        if (a.model >= m_entries.size()) continue;
        const int index = static_cast<int>(a.model);
        Entry& e = m_entries[a.model];
        COrrivaleUSBDevice* model = e.model;
        switch (a.type) {
            case Type::Open:
                if (!model->session().open(a.path, a.route)) break;
                changed = true;
                model->setIdentity(a.identity);
                // A receiver's tile appears once the link poll finds the device online (3331).
                if (a.route != LinkRoute::Receiver)
                    showTile(index, true, firstShownTile().second == 0);
                e.tile->refreshLinkText();
                e.tile->startLinkPoll();
                break;
            case Type::SwitchLink:
                switchLink(e, a.path, a.route);
                changed = true;
                break;
            case Type::Close:
                model->session().close();
                changed = true;
                // The chains would end at their next run on the closed link; stop them now.
                e.tile->stopTimers();
                e.tile->refreshLinkText();
                emit deviceLeft(model);
                hideTile(index);
                break;
            case Type::OpenEvents:
                model->openEventChannel(a.path, a.eventKind);
                break;
            case Type::ReopenEvents:
                model->reopenEventChannel(a.path, a.eventKind);
                break;
            case Type::CloseEvents:
                model->closeEventChannel(a.eventKind);
                break;
        }
    }
    if (changed) emit devicesChanged();
}

void DeviceManager::switchLink(Entry& e, const std::string& path, LinkRoute route) {
    COrrivaleUSBDevice* model = e.model;
    DeviceSession& session = model->session();
    if (!session.switchTo(path, route)) return;
    if (route == LinkRoute::Receiver) {
        if (model->getHasPowerStatus()) {
            // The receiver is asked on the session's worker whether the device answers; the
            // power status follows on the UI thread. The model owns the session, whose worker
            // has ended before the model goes, and Qt drops a queued call whose object went.
            session.checkOnline([model](bool) {
                QMetaObject::invokeMethod(
                    model, [model] { model->refreshPowerStatus(); }, Qt::QueuedConnection);
            });
        }
        e.tile->startLinkCheck(1000);
    } else {
        e.tile->startLinkPoll();
        if (model->getHasPowerStatus()) model->refreshPowerStatus();
    }
    e.tile->refreshLinkText();
}

// ---- tiles ----

CDeviceOptionUI* DeviceManager::tile(int index) const {
    return index >= 0 && index < tileCount() ? m_entries[index].tile : nullptr;
}

COrrivaleUSBDevice* DeviceManager::model(int index) const {
    return index >= 0 && index < tileCount() ? m_entries[index].model : nullptr;
}

bool DeviceManager::onReceiver(const COrrivaleUSBDevice* model) const {
    const int i = entryOf(model);
    return i >= 0 && model->session().onReceiver();
}

COrrivaleUSBDevice* DeviceManager::selectedModel() const {
    for (const Entry& e : m_entries)
        if (e.tile->isShown() && e.tile->isTileSelected()) return e.model;
    return nullptr;
}

COrrivaleMouseDevice* DeviceManager::selectedMouse() const {
    return qobject_cast<COrrivaleMouseDevice*>(selectedModel());
}

std::pair<int, int> DeviceManager::firstShownTile() const {
    int first = -1, count = 0;
    for (int i = 0; i < tileCount(); ++i) {
        if (!m_entries[i].tile->isShown()) continue;
        if (first < 0) first = i;
        ++count;
    }
    return {first, count};
}

void DeviceManager::showBoundPages(CDeviceOptionUI* t) {
    if (auto* ds = m_wnd.controls().find<QStackedWidget>("device_switch"))
        ds->setCurrentIndex(t->boundPageIndex());
    if (auto* ps = m_wnd.controls().find<QStackedWidget>("device_power_switch")) {
        ps->setVisible(t->boundPowerIndex() >= 0);
        if (t->boundPowerIndex() >= 0) ps->setCurrentIndex(t->boundPowerIndex());
    }
}

void DeviceManager::showTile(int index, bool visible, bool select) {
    auto* deviceSwitch = m_wnd.controls().find<QStackedWidget>("device_switch");
    auto* powerSwitch = m_wnd.controls().find<QStackedWidget>("device_power_switch");
    if (CDeviceOptionUI* t = tile(index)) {
        const bool appears = visible && !t->isShown();
        t->setVisible(visible);
        // Hotplug latency is measured from the demo's plug line to this one.
        if (appears && t->model())
            dbgOutf("tile shown: %s at %llu", kDeviceModels[size_t(t->model()->tableIndex())].name,
                    static_cast<unsigned long long>(SteadyClock::instance().nowMs()));
        if (select) {
            showBoundPages(t);
            // Tiles of one group exclude each other: the others let go on their own.
            t->selectTile(true);
        }
    }
    int shown = 0, synchro = 0;
    for (const Entry& e : m_entries) {
        if (!e.tile->isShown()) continue;
        ++shown;
        if (e.tile->isSynchroSelected()) ++synchro;
    }
    const bool empty = shown == 0;
    m_wnd.showNoDeviceState(empty);
    if (empty) {
        if (powerSwitch) {
            powerSwitch->setCurrentIndex(0);
            powerSwitch->hide();
        }
        if (deviceSwitch) deviceSwitch->setCurrentIndex(0);
    }
    if (synchro <= 1)
        for (const Entry& e : m_entries) e.tile->selectSynchro(false);
    // Same mode is offered while more than one device is active.
    if (m_router) m_router->sameMode().setActiveDevices(shown);
    m_shownTiles = shown;
    showDeviceCount();
}

void DeviceManager::showDeviceCount() {
    auto* count = m_wnd.controls().find<QLabel>("device_count_text");
    if (!count) return;
    // Composed here (not a text id): the number is filled in after every change.
    if (!m_countWatched) {
        count->installEventFilter(this);
        m_countWatched = true;
    }
    count->setText(ResourceManager::instance()
                       .text(QStringLiteral("device_kinds"))
                       .replace(QLatin1String("%1"), QString::number(m_shownTiles)));
}

bool DeviceManager::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LanguageChange &&
        watched == m_wnd.controls().find<QLabel>("device_count_text"))
        showDeviceCount();
    return QObject::eventFilter(watched, event);
}

void DeviceManager::hideTile(int index) {
    CDeviceOptionUI* t = tile(index);
    if (!t) return;
    int next = -1;
    if (t->isShown() && t->isTileSelected()) {
        m_wnd.closeSecondaryWindows();
        endEditInProgress();
        for (int i = 0; i < tileCount(); ++i)
            if (i != index && m_entries[i].tile->isShown()) {
                next = i;
                break;
            }
    }
    t->selectTile(false);
    showTile(index, false, false);
    if (next >= 0) showTile(next, true, true);
}

void DeviceManager::endEditInProgress() {
    // An edit that holds the input hook has disabled the device list; its device is gone, so
    // the edit ends unsaved: the hook goes, recording stops and the list is usable again.
    if (!m_editing) return;
    m_wnd.handleMessage(msg::kKeyCaptureHook, 0, 0);
    if (QWidget* list = m_wnd.controls().find("device_select_layout")) list->setEnabled(true);
    for (const Entry& e : m_entries) e.model->setEnabled(true);
    m_editing = false;
}

void DeviceManager::selectPreviousTile() {
    int previous = -1;
    for (int i = 0; i < tileCount(); ++i) {
        CDeviceOptionUI* t = m_entries[i].tile;
        if (!t->isShown()) continue;
        if (t->isTileSelected()) {
            if (previous >= 0) showTile(previous, true, true);
            return;
        }
        previous = i;
    }
}

void DeviceManager::selectNextTile() {
    bool passed = false;
    for (int i = 0; i < tileCount(); ++i) {
        CDeviceOptionUI* t = m_entries[i].tile;
        if (!t->isShown()) continue;
        if (passed) {
            showTile(i, true, true);
            return;
        }
        passed = t->isTileSelected();
    }
}

void DeviceManager::onTileSelected() {
    for (int i = 0; i < tileCount(); ++i) {
        CDeviceOptionUI* t = m_entries[i].tile;
        if (!t->isTileSelected()) continue;
        m_selected = i;
        m_selectedKind = t->kind();
        m_selectedRole = t->role();
        // The page of a tile the user clicked comes forward with it.
        showBoundPages(t);
        return;
    }
}

void DeviceManager::onTileVisibility(int index, int visible) {
    // wParam is the model's table index; find its tile.
    for (int i = 0; i < tileCount(); ++i) {
        if (m_entries[i].model->getTableIndex() != index) continue;
        if (visible == 0) {
            hideTile(i);
        } else if (!m_entries[i].tile->isShown()) {
            showTile(i, true, firstShownTile().second == 0);
        }
        return;
    }
}

}  // namespace md
