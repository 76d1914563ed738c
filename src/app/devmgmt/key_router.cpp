#include "app/devmgmt/key_router.h"

#include <QLineEdit>
#include <array>

#include "app/devmgmt/device_manager.h"
#include "app/devmgmt/router_dialogs.h"
#include "app/shell/main_wnd.h"
#include "devices/base/working_mode.h"
#include "devices/device_registry.h"
#include "pages/base/orrivale_usb_device.h"
#include "panels/key_set_control_ui.h"
#include "ui/indexed_name.h"
#include "ui/object_tree.h"
#include "ui/resource_manager.h"

namespace md {

KeyRouter::KeyRouter(CMainWnd& wnd, DeviceManager& devices, capture::InputCapture& capture)
    : QObject(&wnd), m_wnd(wnd), m_devices(devices), m_capture(capture) {
    inform = [this](const QString& text, bool isId) { tellUser(m_wnd, text, isId); };
    // A key is captured for the device whose page asked: it ends when that device leaves.
    connect(&devices, &DeviceManager::deviceLeft, this, [this](COrrivaleUSBDevice* gone) {
        if (gone != m_devices.selectedModel()) return;
        stopCapture();
        if (auto* p = gone->findChild<CKeySetControlUI*>()) p->setCapturing(false);
    });
}

KeyRouter::~KeyRouter() {
    stopCapture();
}

namespace {

constexpr std::array<uint8_t, 3> kLeftClick{0x10, 0x01, 0x00};

// Whether a mouse whose selected button gets `next` keeps a button that clicks.
bool keepsAPrimaryClick(const COrrivaleUSBDevice& model, const KeyBinding& next) {
    const std::vector<KeyBinding>* keys = model.keyList();
    const int selected = model.selectedKey();
    if (!keys || next.assignment == kLeftClick) return true;
    // Only a change that takes the click away from the selected button matters.
    if (selected < 0 || size_t(selected) >= keys->size() ||
        (*keys)[size_t(selected)].assignment != kLeftClick)
        return true;
    for (size_t i = 0; i < keys->size(); ++i)
        if (int(i) != selected && (*keys)[i].assignment == kLeftClick) return true;
    return false;
}

}  // namespace

void KeyRouter::apply(COrrivaleUSBDevice& model, CKeySetControlUI& panel) {
    if (!panel.hasBinding()) return;
    const KeyBinding next = panel.encodeAssignment();
    // Taking the click off the mouse's last clicking button leaves it hard to use: asked.
    const bool mouse = modelKindOf(uint16_t(model.getDeviceKind())) == kind::kMouseWired;
    if (mouse && !keepsAPrimaryClick(model, next) &&
        (!confirm || !confirm(QStringLiteral("message_primary_button")))) {
        panel.restoreOriginal();
        return;
    }
    model.storeKeyAssignment(next);
    panel.setEditButtonsEnabled(true);
}

void KeyRouter::saveToDevice(COrrivaleUSBDevice& model, CKeySetControlUI& panel) {
    const int r = model.transferKeysAndMacros();
    if (r < 0) {
        if (inform) inform(QStringLiteral("message_text_7"), true);
    } else if (r > 0) {
        const QString format = ResourceManager::instance().text(QStringLiteral("message_text_16"));
        QString text = format;
        text.replace(QLatin1String("%d"), QString::number(r));
        if (inform) inform(text, false);
    }
    model.saveProfile();
    panel.keepAsOriginal();
    panel.setEditButtonsEnabled(false);
}

void KeyRouter::startCapture(CKeySetControlUI& panel) {
    m_capture.setSink({[this](int mode, const capture::KeyRecord& r) { onCapturedKey(mode, r); },
                       nullptr,
                       [this] {
                           if (COrrivaleUSBDevice* m = m_devices.selectedModel())
                               if (auto* p = m->findChild<CKeySetControlUI*>())
                                   p->setCapturing(false);
                       }});
    // A capture that could not start is said, and the panel does not claim to capture.
    const bool on = m_capture.install(capture::kSingleKey, true, false);
    panel.setCapturing(on, !on);
    // A page that goes away (the device was unplugged) takes its capture with it.
    if (on)
        connect(&panel, &QObject::destroyed, this, &KeyRouter::stopCapture, Qt::UniqueConnection);
}

void KeyRouter::stopCapture() {
    if (m_capture.mode() == capture::kSingleKey) m_capture.uninstall();
}

void KeyRouter::onCapturedKey(int mode, const capture::KeyRecord& r) {
    if (mode != capture::kSingleKey || !r.down) return;
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    auto* panel = model ? model->findChild<CKeySetControlUI*>() : nullptr;
    if (!panel || !panel->capturing()) {
        stopCapture();  // the page that asked for the key is gone
        return;
    }
    if (panel->captureKey(r.scanCode, r.extended)) apply(*model, *panel);
}

bool KeyRouter::route(const Notification& n) {
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    auto* panel = model ? model->findChild<CKeySetControlUI*>() : nullptr;
    if (!panel) return false;
    const QString& s = n.sender;
    const auto is = [&](const char* name) { return s == QLatin1String(name); };
    const IndexedName name = splitIndexedName(s);
    // A key of the device picture.
    if (n.type == QLatin1String("click") && name.index >= 0 &&
        model->getWorkingMode() == working_mode::kKeys &&
        name.prefix.compare(QLatin1String("key_"), Qt::CaseInsensitive) == 0 &&
        model->selectPanel() && isInside(n.control, model->selectPanel())) {
        stopCapture();
        model->selectKey(name.index);
        panel->setEditButtonsEnabled(false);
        return true;
    }
    if (!isInside(n.control, panel)) return false;
    if (n.type == QLatin1String("itemselect")) {
        if (is("keyset_function_combo")) {
            panel->onFunctionChosen();
        } else if (is("keyset_macro_over_combo")) {
            panel->onRepeatChosen();
        } else if (!s.startsWith(QLatin1String("keyset_"))) {
            return false;
        }
        apply(*model, *panel);
    } else if (n.type == QLatin1String("killfocus")) {
        if (is("keyset_keyboard_text_edit")) {
            stopCapture();
            panel->setCapturing(false);
        } else if (s.startsWith(QLatin1String("keyset_")) && s.endsWith(QLatin1String("_edit"))) {
            apply(*model, *panel);
        } else {
            return false;
        }
    } else if (n.type == QLatin1String("setfocus") && is("keyset_keyboard_text_edit")) {
        startCapture(*panel);
        // Nothing is captured: the edit gives its focus back, so that a later click retries.
        if (!panel->capturing())
            if (auto* e = panel->findChild<QLineEdit*>("keyset_keyboard_text_edit"))
                e->clearFocus();
    } else if (n.type == QLatin1String("selectchanged") &&
               name.prefix == QLatin1String("key_ComBox_check_")) {
        // Clearing the chosen option means no modifier.
        panel->selectModifierOption(n.wParam ? name.index : 0);
        apply(*model, *panel);
    } else if (n.type == QLatin1String("click")) {
        if (is("key_butt_keysave")) {
            apply(*model, *panel);
        } else if (is("key_butt_keydefalut")) {
            panel->showDefault();
            panel->setEditButtonsEnabled(true);
        } else if (is("key_butt_keycancel")) {
            // Undo: the key gets back what it had when it was chosen.
            panel->restoreOriginal();
            model->storeKeyAssignment(panel->originalBinding());
            panel->setEditButtonsEnabled(false);
        } else if (is("key_butt_prosave")) {
            saveToDevice(*model, *panel);
        } else {
            return s.startsWith(QLatin1String("key_ComBox_check_"));
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace md
