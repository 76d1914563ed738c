#include "app/device_manager.h"

#include <QBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QThread>

#include "app/main_wnd.h"
#include "app/model_table.h"
#include "app/worker_slots.h"
#include "common/dbg_out.h"
#include "controls/device_option_ui.h"
#include "devices/mouse_page/orrivale_mouse_device.h"
#include "devlink/device_detector.h"
#include "devlink/hid_backend.h"
#include "ui/control_finder.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

struct PageRow {
    int ledCount;
    int keyCount;
    bool hasPowerStatus;
    int logoLed;
    const char* layout;
    const char* lightList;
};

constexpr PageRow kPageTable[] = {
    {6, 11, true, -1, "XML/DeviceXml/mousedevice.xml", "zelvo_light"},
    {126, 126, false, -1, "XML/DeviceXml/keyboarddevice.xml", "zelvo_light"},
    {15, 0, false, -1, "XML/DeviceXml/mousepaddevice.xml", "zelvo_light"},
    {13, 0, false, -1, "XML/DeviceXml/hs6533device.xml", "zelvo_light"},
};

bool isMouseKind(uint32_t k) {
    return k == kind::kMouseWired || k == kind::kMouseWireless;
}

bool sameDevice(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.deviceKind == b.deviceKind;
}

// "DPI_slider_3" with prefix "DPI_slider_" → 3; -1 when the sender has another name.
int indexedName(const QString& sender, const char* prefix) {
    const QLatin1String p(prefix);
    if (!sender.startsWith(p)) return -1;
    bool ok = false;
    const int n = sender.mid(p.size()).toInt(&ok);
    return ok ? n : -1;
}

}  // namespace

DeviceManager::DeviceManager(CMainWnd& wnd, const DeviceTable& table)
    : QObject(&wnd), m_wnd(wnd), m_slots(table) {
    MainWndHooks& h = wnd.hooks();
    h.onFirstInit = [this] { return onFirstInit(); };
    h.onDeviceArrived = [this](int slot) { onDeviceArrived(slot); };
    h.onDeviceRemoved = [this](int slot) { onDeviceRemoved(slot); };
    h.onTileVisibility = [this](int tile, int visible) { onTileVisibility(tile, visible); };
    h.routeNotification = [this](const Notification& n) { routeNotification(n); };
    h.onLightControl = [this](int flag) {
        for (const Entry& e : m_entries) e.model->setHostLighting(flag != 0);
    };
    h.onActivity = [this](bool active, bool hovering) {
        for (const Entry& e : m_entries) e.model->setPreviewEnabled(active || hovering);
    };
}

DeviceManager::~DeviceManager() {
    // The manager is a child of the window and goes after the window's own members: its worker
    // slots have stopped detection by then, and the window may no longer be touched.
    if (m_detector) m_detector->join();
}

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
    return m_wnd.workers().start(WorkerSlots::kDetectionSlot, [detector](StopEvent& stop) {
        detector->start(stop);
        detector->join();
    });
}

void DeviceManager::buildDevicePages() {
    const DeviceTable& table = m_slots.table();
    for (const ModelRow& row : kModelTable) {
        const int slot = findTableRow(table, row.vendorId, row.productId, row.kind, row.role);
        if (slot < 0) continue;
        createDevicePage(slot, row.role);
    }
}

bool DeviceManager::createDevicePage(int slot, uint32_t role) {
    const DeviceIdentity id = m_slots.at(slot);
    uint32_t mode = id.deviceKind;
    DeviceIdentity source = id;
    if (id.deviceKind == kind::kMouseWireless) {
        mode = kind::kMouseWired;
        if (id.hasPartner) source = m_slots.at(id.partnerSlot);
    }
    int rowIndex = -1;
    for (size_t i = 0; i < kModelTable.size(); ++i) {
        const ModelRow& r = kModelTable[i];
        if (r.vendorId == source.vendorId && r.productId == source.productId && r.kind == mode &&
            r.role == role) {
            rowIndex = static_cast<int>(i);
            break;
        }
    }
    if (rowIndex < 0) return false;
    // Only the mouse has its page so far; the other kinds come with their own models.
    if (!isMouseKind(mode)) return false;
    const ModelRow& row = kModelTable[rowIndex];
    const PageRow& page = kPageTable[rowIndex];

    auto* deviceSwitch = m_wnd.controls().find<QStackedWidget>("device_switch");
    auto* powerSwitch = m_wnd.controls().find<QStackedWidget>(row.powerSwitch);
    QWidget* list = m_wnd.controls().find("device_select_layout");
    if (!deviceSwitch || !powerSwitch || !list) return false;

    LayoutBuilder builder(&CMainWnd::layoutTags());
    auto* mouse = qobject_cast<COrrivaleMouseDevice*>(builder.build(page.layout, deviceSwitch));
    if (!mouse) {
        dbgOut("device page layout did not build");
        return false;
    }
    // The battery tile: a chip centred in its slot of the power switch.
    auto* power = new QWidget(powerSwitch);
    power->setObjectName("device_power_tile");
    power->setMaximumHeight(64);
    auto* powerRow = new QHBoxLayout(power);
    auto* powerText = new QLabel(power);
    powerText->setObjectName("device_power_text");
    powerText->setProperty("class", QStringLiteral("chip"));
    powerText->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    powerRow->addStretch();
    powerRow->addWidget(powerText);
    powerRow->addStretch();
    powerSwitch->addWidget(power);

    mouse->setLayoutFile(page.layout);
    mouse->setOwnerWindow(&m_wnd);
    mouse->setKeyCount(page.keyCount);
    mouse->setLedCount(page.ledCount);
    mouse->setTableIndex(rowIndex);
    mouse->setHasPowerStatus(page.hasPowerStatus);
    mouse->setLogoLed(page.logoLed);
    mouse->setProfileName("");
    mouse->setModelFolder(row.modelFolder);
    mouse->setPowerTile(power);
    mouse->setIdentity(id);
    mouse->setLightTableIndex(row.numbers[3]);
    mouse->setLightListName(page.lightList);
    mouse->bindPageControls();
    const int pageIndex = deviceSwitch->addWidget(mouse);
    m_wnd.dispatcher().attach(mouse);
    m_mice.push_back(mouse);

    auto* tile = new CDeviceOptionUI(list);
    if (auto* box = qobject_cast<QBoxLayout*>(list->layout())) box->addWidget(tile);
    tile->bindPage(pageIndex);
    tile->bindPowerTile(powerSwitch->indexOf(power));
    tile->setKindRole(mode, role);
    tile->setNameText(QString::fromUtf8(row.modelFolder));
    if (auto* name = tile->findChild<QLabel*>("device_name")) {
        ResourceManager::instance().setTextId(name,
                                              QStringLiteral("device_name_") + row.modelFolder);
    }
    tile->setModel(mouse);
    tile->setMessageSink(
        [this](uint32_t m, uintptr_t w, intptr_t l) { m_wnd.handleMessage(m, w, l); });
    tile->hide();
    connect(tile, &CDeviceOptionUI::selected, this, [this] { onTileSelected(); });
    connect(mouse, &COrrivaleMouseDevice::tileTimerRequested, tile, [tile](int timer, int ms) {
        if (timer == CDeviceOptionUI::kReadAgainTimer) tile->requestReadAgain(ms);
    });
    connect(mouse, &COrrivaleUSBDevice::ownerMessage, this,
            [this](int message, qint64 w, qint64 l) {
                m_wnd.handleMessage(static_cast<uint32_t>(message), static_cast<uintptr_t>(w),
                                    static_cast<intptr_t>(l));
            });
    mouse->setPowerTileUpdater([tile](QWidget* powerTile, const PowerStatus& status) {
        if (auto* label = powerTile->findChild<QLabel*>("device_power_text")) {
            label->setText(ResourceManager::instance().text("power_battery_level").arg(status[0]));
        }
        tile->showPowerStatus(status);
    });
    m_entries.push_back(Entry{mouse, tile, power, false});
    return true;
}

// ---- arrival and removal ----

bool DeviceManager::partnerConnected(int slot) const {
    const DeviceIdentity id = m_slots.at(slot);
    if (!id.hasPartner) return false;
    const DeviceIdentity partner = m_slots.at(id.partnerSlot);
    return partner.hasPartner && partner.partnerSlot == slot && partner.connected &&
           !partner.path.empty();
}

int DeviceManager::entryOf(const COrrivaleUSBDevice* model) const {
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].model == model) return static_cast<int>(i);
    return -1;
}

int DeviceManager::mouseEntryFor(const DeviceIdentity& key) const {
    for (COrrivaleMouseDevice* m : m_mice)
        if (sameCollection(m->getIdentity(), key)) return entryOf(m);
    return -1;
}

DeviceIdentity DeviceManager::modelIdentityOf(const DeviceIdentity& id) const {
    const bool throughReceiver = id.deviceKind == kind::kMouseWireless && id.hasPartner;
    return throughReceiver ? m_slots.at(id.partnerSlot) : id;
}

void DeviceManager::onDeviceArrived(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= m_slots.size()) return;
    const DeviceIdentity id = m_slots.at(slot);
    if (!isMouseKind(id.deviceKind)) return;  // the other kinds come with their models
    if (id.collectionRole == kRoleEvent) {
        onEventCollectionArrived(id);
        return;
    }
    if (id.collectionRole != kRoleCommand) return;
    const bool wireless = id.deviceKind == kind::kMouseWireless;
    if (partnerConnected(slot)) {
        // Both connections present: the cable wins; a receiver arriving changes nothing.
        if (!wireless) switchLink(slot);
        m_wnd.bringToFront();
        return;
    }
    const DeviceIdentity key = modelIdentityOf(id);
    const int index = mouseEntryFor(key);
    if (index >= 0) {
        Entry& e = m_entries[index];
        DeviceLink& link = e.model->commandLink();
        bool opened = false;
        // A link that is open already only brings the window forward.
        if (!link.isOpen()) {
            std::lock_guard lock(link.ioLock());
            opened = link.openLink(id.path, wireless ? 2 : 1);
            if (opened) {
                e.onReceiver = wireless;
                e.model->setIdentity(key);
            }
        }
        if (opened) {
            // A receiver's tile appears once the link poll finds the mouse online (3331).
            if (!wireless) showTile(index, true, firstShownTile().second == 0);
            e.tile->refreshLinkText();
            e.tile->startLinkPoll();
        }
    }
    m_wnd.bringToFront();
}

void DeviceManager::switchLink(int slot) {
    const DeviceIdentity id = m_slots.at(slot);
    int index = mouseEntryFor(id);
    if (index < 0 && id.hasPartner) index = mouseEntryFor(m_slots.at(id.partnerSlot));
    if (index < 0) return;
    Entry& e = m_entries[index];
    const std::string path = e.onReceiver ? id.path : m_slots.at(id.partnerSlot).path;
    DeviceLink& link = e.model->commandLink();
    bool ok = false;
    {
        std::lock_guard lock(link.ioLock());
        link.setOpened(false);
        HidChannel& channel = e.onReceiver ? link.wiredChannel() : link.wirelessChannel();
        channel.closeChannel();
        ok = channel.openChannel(path, true, true, true, false);
    }
    if (!ok) return;
    link.setOpened(true);
    e.onReceiver = !e.onReceiver;
    if (e.onReceiver) {
        link.setLinkMode(2);
        if (e.model->getHasPowerStatus()) {
            for (int i = 0; i < kOnlineTries; ++i) {
                if (link.checkWirelessOnline()) break;
                dbgOut("获取2.4G模式失败");
                QThread::msleep(10);
            }
            e.model->refreshPowerStatus();
        }
        e.tile->startLinkCheck(1000);
    } else {
        link.setLinkMode(1);
        e.tile->startLinkPoll();
        if (e.model->getHasPowerStatus()) e.model->refreshPowerStatus();
    }
    e.tile->refreshLinkText();
}

void DeviceManager::onDeviceRemoved(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= m_slots.size()) return;
    // The detector freed the slot already; the table row still names the collection.
    DeviceIdentity id = m_slots.at(slot);
    if (!isMouseKind(id.deviceKind)) return;
    if (id.collectionRole == kRoleEvent) {
        onEventCollectionRemoved(id);
        return;
    }
    if (id.collectionRole != kRoleCommand) return;
    const bool wireless = id.deviceKind == kind::kMouseWireless;
    if (partnerConnected(slot)) {
        // The cable went while the receiver is present: the receiver takes over.
        if (!wireless) switchLink(slot);
        return;
    }
    const DeviceIdentity key = modelIdentityOf(id);
    const int index = mouseEntryFor(key);
    if (index < 0) return;
    Entry& e = m_entries[index];
    e.model->commandLink().closeLink();
    e.tile->stopTimers();
    e.tile->refreshLinkText();
    hideTile(index);
}

void DeviceManager::onEventCollectionArrived(const DeviceIdentity& id) {
    const int eventKind = id.deviceKind == kind::kMouseWireless
                              ? COrrivaleMouseDevice::kWirelessEvents
                              : COrrivaleMouseDevice::kWiredEvents;
    const DeviceIdentity key =
        id.deviceKind == kind::kMouseWireless && id.hasPartner ? m_slots.at(id.partnerSlot) : id;
    for (COrrivaleMouseDevice* m : m_mice) {
        if (!sameDevice(m->getIdentity(), key)) continue;
        m->openEventChannel(id.path, eventKind);
        return;
    }
}

void DeviceManager::onEventCollectionRemoved(const DeviceIdentity& id) {
    const int eventKind = id.deviceKind == kind::kMouseWireless
                              ? COrrivaleMouseDevice::kWirelessEvents
                              : COrrivaleMouseDevice::kWiredEvents;
    const DeviceIdentity key =
        id.deviceKind == kind::kMouseWireless && id.hasPartner ? m_slots.at(id.partnerSlot) : id;
    for (COrrivaleMouseDevice* m : m_mice) {
        if (!sameDevice(m->getIdentity(), key)) continue;
        m->closeEventChannel(eventKind);
        return;
    }
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
    return i >= 0 && m_entries[i].onReceiver;
}

COrrivaleUSBDevice* DeviceManager::selectedModel() const {
    for (const Entry& e : m_entries)
        if (!e.tile->isHidden() && e.tile->isSelected()) return e.model;
    return nullptr;
}

std::pair<int, int> DeviceManager::firstShownTile() const {
    int first = -1, count = 0;
    for (int i = 0; i < tileCount(); ++i) {
        if (m_entries[i].tile->isHidden()) continue;
        if (first < 0) first = i;
        ++count;
    }
    return {first, count};
}

void DeviceManager::showTile(int index, bool visible, bool select) {
    auto* deviceSwitch = m_wnd.controls().find<QStackedWidget>("device_switch");
    auto* powerSwitch = m_wnd.controls().find<QStackedWidget>("device_power_switch");
    if (CDeviceOptionUI* t = tile(index)) {
        t->setVisible(visible);
        if (select) {
            for (const Entry& e : m_entries)
                if (e.tile != t) e.tile->setSelected(false, false);
            if (deviceSwitch) deviceSwitch->setCurrentIndex(t->pageIndex());
            if (powerSwitch) {
                powerSwitch->setVisible(t->powerIndex() >= 0);
                if (t->powerIndex() >= 0) powerSwitch->setCurrentIndex(t->powerIndex());
            }
            t->setSelected(true, true);
        }
    }
    const int shown = firstShownTile().second;
    const bool empty = shown == 0;
    if (QWidget* w = m_wnd.controls().find("No_device_Link")) w->setVisible(empty);
    if (QWidget* w = m_wnd.controls().find("device_list_empty")) w->setVisible(empty);
    if (deviceSwitch) deviceSwitch->setVisible(!empty);
    if (empty) {
        if (powerSwitch) {
            powerSwitch->setCurrentIndex(0);
            powerSwitch->hide();
        }
        if (deviceSwitch) deviceSwitch->setCurrentIndex(0);
    }
}

void DeviceManager::hideTile(int index) {
    CDeviceOptionUI* t = tile(index);
    if (!t) return;
    int next = -1;
    if (!t->isHidden() && t->isSelected()) {
        for (int i = 0; i < tileCount(); ++i)
            if (i != index && !m_entries[i].tile->isHidden()) {
                next = i;
                break;
            }
    }
    t->setSelected(false, false);
    showTile(index, false, false);
    if (next >= 0) showTile(next, true, true);
}

void DeviceManager::selectPreviousTile() {
    int previous = -1;
    for (int i = 0; i < tileCount(); ++i) {
        const CDeviceOptionUI* t = m_entries[i].tile;
        if (t->isHidden()) continue;
        if (t->isSelected()) {
            if (previous >= 0) showTile(previous, true, true);
            return;
        }
        previous = i;
    }
}

void DeviceManager::selectNextTile() {
    bool passed = false;
    for (int i = 0; i < tileCount(); ++i) {
        const CDeviceOptionUI* t = m_entries[i].tile;
        if (t->isHidden()) continue;
        if (passed) {
            showTile(i, true, true);
            return;
        }
        passed = t->isSelected();
    }
}

void DeviceManager::onTileSelected() {
    for (int i = 0; i < tileCount(); ++i) {
        CDeviceOptionUI* t = m_entries[i].tile;
        if (!t->isSelected()) continue;
        m_selected = i;
        m_selectedKind = t->kind();
        m_selectedRole = t->role();
        for (const Entry& e : m_entries)
            if (e.tile != t) e.tile->setSelected(false, false);
        if (auto* ds = m_wnd.controls().find<QStackedWidget>("device_switch"))
            ds->setCurrentIndex(t->pageIndex());
        if (auto* ps = m_wnd.controls().find<QStackedWidget>("device_power_switch")) {
            ps->setVisible(t->powerIndex() >= 0);
            if (t->powerIndex() >= 0) ps->setCurrentIndex(t->powerIndex());
        }
        return;
    }
}

void DeviceManager::onTileVisibility(int index, int visible) {
    // wParam is the model's table index; find its tile.
    for (int i = 0; i < tileCount(); ++i) {
        if (m_entries[i].model->getTableIndex() != index) continue;
        if (visible == 0) {
            hideTile(i);
        } else if (m_entries[i].tile->isHidden()) {
            showTile(i, true, firstShownTile().second == 0);
        }
        return;
    }
}

// ---- routing ----

void DeviceManager::routeNotification(const Notification& n) {
    if (n.type == QLatin1String("click")) {
        if (n.sender == QLatin1String("device_select_prev")) selectPreviousTile();
        if (n.sender == QLatin1String("device_select_next")) selectNextTile();
        return;
    }
    auto* mouse = qobject_cast<COrrivaleMouseDevice*>(selectedModel());
    if (!mouse) return;
    // Only notifications from the selected mouse's own page.
    if (n.control && n.control != mouse && !mouse->isAncestorOf(n.control)) return;
    routeMouse(n, mouse);
}

bool DeviceManager::routeMouse(const Notification& n, COrrivaleMouseDevice* mouse) {
    const QString& s = n.sender;
    int i = -1;
    if (n.type == QLatin1String("selectchanged")) {
        if ((i = indexedName(s, "DPI_enable_check_")) >= 0) return mouse->onStageEnabled(i), true;
        if ((i = indexedName(s, "DPI_model_")) >= 0) return mouse->onCurrentStage(i), true;
        if ((i = indexedName(s, "polling_rate_option_")) >= 0) return mouse->onPollingRate(i), true;
        if ((i = indexedName(s, "mouse_device_seting_option_")) >= 0)
            return mouse->onSettingsPage(i), true;
        if (s == QLatin1String("pointer_precision_check")) return mouse->onPointerPrecision(), true;
        if (s == QLatin1String("scrolls_page_check")) return mouse->onScrollByPage(), true;
    } else if (n.type == QLatin1String("valuechanged")) {
        if ((i = indexedName(s, "DPI_slider_")) >= 0) return mouse->onDpiSliderReleased(i), true;
        if (s == QLatin1String("pointer_speed_slider")) return mouse->onPointerSpeed(), true;
        if (s == QLatin1String("scroll_speed_slider")) return mouse->onWheelLines(), true;
        if (s == QLatin1String("double_click_slider")) return mouse->onDoubleClickSpeed(), true;
    } else if (n.type == QLatin1String("movevaluechanged")) {
        if ((i = indexedName(s, "DPI_slider_")) >= 0) return mouse->onDpiSliderMoved(i), true;
    } else if (n.type == QLatin1String("killfocus")) {
        if ((i = indexedName(s, "DPI_edit_")) >= 0) return mouse->onDpiEditLeft(i), true;
    }
    return false;
}

}  // namespace md
