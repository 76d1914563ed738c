// The keyboard page's key picture, offscreen: one frame of the lighting preview (the engine's
// passes up to the next step of the column wave, the changed lights painted, the picture
// repainted), goal 2 ms per frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/shell/control_classes.h"
#include "app/shell/main_wnd.h"
#include "pages/keyboard/orrivale_keyboard_device.h"
#include "pages/device_page_classes.h"
#include "profiles/app_paths.h"
#include "ui/layout_builder.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

void BM_KeyboardPictureFrame(benchmark::State& state) {
    QTemporaryDir data;
    AppPaths::setDataRoot(data.path().toStdString() + "/");
    ResourceManager& res = ResourceManager::instance();
    res.setSkinFolder(QStringLiteral(MD_SOURCE_DIR "/skin/"));
    res.loadResource("res.xml");
    registerApplicationControls();
    registerDevicePageControls();
    QWidget owner;
    auto* model = qobject_cast<COrrivaleKeyboardDevice*>(
        LayoutBuilder(&CMainWnd::layoutTags()).build("XML/DeviceXml/keyboarddevice.xml", &owner));
    if (!model) {
        state.SkipWithError("the keyboard page did not build");
        return;
    }
    model->setLayoutFile("XML/DeviceXml/keyboarddevice.xml");
    model->setKeyCount(126);
    model->setLedCount(126);
    model->setModelFolder("keyboard");
    model->bindPageControls();
    owner.resize(716, 540);
    model->setGeometry(0, 0, 716, 540);
    owner.show();
    QApplication::processEvents();
    LightSetting l;
    l.mode = 1, l.brightness = 4, l.speed = 4, l.multiColor = 1;
    model->engine().setLighting(l);
    model->engine().setMode(1, 4);
    QWidget* picture = model->findChild<QWidget*>("keyboard_device_key_light");
    uint64_t now = 1000;
    model->engine().startPasses(now);
    for (auto _ : state) {
        for (int i = 0; i < 4; ++i) model->engine().pass(now += 2);
        model->pushLedFrame();
        picture->repaint();
    }
    AppPaths::setDataRoot("");
}
BENCHMARK(BM_KeyboardPictureFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace md
