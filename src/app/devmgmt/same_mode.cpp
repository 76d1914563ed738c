#include "app/devmgmt/same_mode.h"

#include "app/devmgmt/device_manager.h"
#include "app/shell/main_wnd.h"
#include "pages/base/orrivale_usb_device.h"
#include "panels/light_control_ui.h"

namespace md {
namespace {

// The device type of the lighting rules for a model's kind (receiver kinds count as theirs).
int lightTypeOf(const COrrivaleUSBDevice& m) {
    switch (m.getDeviceKind()) {
        case 1:
        case 9:
            return 1;
        case 2:
        case 6:
            return 2;
        case 3:
            return 3;
        case 7:
            return 7;
        default:
            return 0;
    }
}

// Calls f with every keyboard, mouse, mousepad and headset model, in that order.
template <typename F>
void forEachLightingModel(const DeviceManager& devices, F f) {
    for (ModelList list :
         {ModelList::Keyboards, ModelList::Mice, ModelList::MousePads, ModelList::Headsets})
        for (COrrivaleUSBDevice* m : devices.models(list)) f(*m);
}

}  // namespace

SameMode::SameMode(CMainWnd& wnd, DeviceManager& devices)
    : QObject(&wnd), m_wnd(wnd), m_devices(devices), m_sync([this](const lighting::SyncFrame& f) {
          // On the worker: only a queued call to the UI thread, addressed to this object, so
          // that Qt drops it once this object is gone (the worker is joined before that).
          QMetaObject::invokeMethod(
              this, [this, packed = f.packed()] { onFrame(packed); }, Qt::QueuedConnection);
      }) {}

SameMode::~SameMode() {
    // The window's members may be gone already: only the worker is stopped here.
    m_sync.pause();
}

bool SameMode::start(COrrivaleUSBDevice& source) {
    const LightSetting src = source.lighting();
    const auto mode = lighting::syncModeOf(lightTypeOf(source), src.mode);
    if (!mode) return false;
    lighting::SyncSettings s;
    s.mode = *mode;
    s.light = src.brightness;
    s.speed = src.speed;
    s.fx = src.direction;
    s.multiColor = src.multiColor;
    s.colour = {src.red, src.green, src.blue};
    forEachLightingModel(m_devices, [&](COrrivaleUSBDevice& m) {
        if (!m.session().isOpen()) return;
        const auto effect = lighting::effectOfSyncMode(lightTypeOf(m), *mode);
        if (!effect) return;
        m.setSameMode(true);
        LightSetting l = src;
        l.mode = uint8_t(*effect);
        const LightSetting::Words w = l.toWords();
        if (auto* panel = m.findChild<CLightControlUI*>()) panel->showLightInfo(w.w0, w.w1);
        m.setLightSetting(w.w0, w.w1, w.w2, w.w3);
        m.saveProfile();
        m.loadLighting();
        m.writeSettingsToDevice(0, 0);
    });
    m_sync.play(s);
    return true;
}

void SameMode::setActiveDevices(int count) {
    forEachLightingModel(m_devices, [&](COrrivaleUSBDevice& m) {
        if (auto* panel = m.findChild<CLightControlUI*>()) panel->setMultiDevice(count > 1);
        if (count <= 1 && m.sameMode()) m.setSameMode(false);
    });
    refresh();
}

bool SameMode::anyInSameMode() const {
    bool any = false;
    forEachLightingModel(m_devices, [&](COrrivaleUSBDevice& m) {
        any = any || (m.sameMode() && m.session().isOpen());
    });
    return any;
}

void SameMode::refresh() {
    if (m_sync.playing() && !anyInSameMode()) m_sync.pause();
}

void SameMode::onFrame(uint32_t packed) {
    forEachLightingModel(m_devices, [&](COrrivaleUSBDevice& m) {
        if (!m.sameMode() || !m.session().isOpen()) return;
        for (int i = 0; i < m.getLedCount(); ++i) m.setLedColour(i, packed);
        m.pushLedFrame();
    });
}

}  // namespace md
