// Resident memory over a long session of page switching: the application's main window with
// the demo's virtual devices, every device's tile and every tab of its page chosen in turn, as
// a user clicking through the program would, for the given minutes. Prints the resident memory
// after the first full round (every page built) and at the end; exits 1 when it grew by more
// than 10 %.
//
// Usage: md_page_tour [MINUTES] (default 30). Runs offscreen in fresh data and config folders.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/devmgmt/device_manager.h"
#include "app/services/demo_devices.h"
#include "app/shell/control_classes.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "devlink/link/device_id_config.h"
#include "pages/base/orrivale_usb_device.h"
#include "pages/device_page_classes.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

namespace {

double rssMb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace md;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    qputenv("MOUSE_DRIVER_AUDIO_SIM", "1");
    QApplication app(argc, argv);
    const double minutes = argc > 1 ? std::atof(argv[1]) : 30.0;

    ResourceManager& res = ResourceManager::instance();
    res.setSkinFolder(QString::fromStdString(AppPaths::programDataFolder("skin")));
    res.loadResource("res.xml");
    registerApplicationControls();
    registerDevicePageControls();
    DemoDevices demo(AppPaths::dataRoot() + "demo-devices.json");
    const QString data = QString::fromStdString(AppPaths::defaultDataFolder());
    CMainWnd wnd(std::make_unique<LanguageController>(
        data + "Language.config", QString::fromStdString(AppPaths::configRoot()) + "settings.ini"));
    res.applyStyle(&wnd);
    auto* devices =
        new DeviceManager(wnd, loadDeviceTable(AppPaths::defaultDataFolder() + "devices.json", ""));
    wnd.show();
    settle(1500);

    const char* const tabs[] = {"deng_Op_tab",   "key_Op_tab",    "macro_Op_tab",
                                "system_Op_tab", "cursor_Op_tab", "6533_voice_Op_tab",
                                "magic_Op_tab"};
    auto round = [&] {
        for (int d = 0; d < devices->tileCount(); ++d) {
            devices->showTile(d, true, true);
            settle(40);
            for (const char* t : tabs) {
                auto* b = devices->model(d)->findChild<QAbstractButton*>(t);
                if (!b || !b->isVisible()) continue;
                b->click();
                settle(40);
            }
        }
    };
    round();
    settle(500);
    const double start = rssMb();
    std::printf("after the first round: %.1f MB\n", start);
    QElapsedTimer clock;
    clock.start();
    long rounds = 0;
    while (clock.elapsed() < qint64(minutes * 60000)) {
        round();
        ++rounds;
    }
    settle(500);
    const double end = rssMb();
    std::printf("after %.1f minutes (%ld rounds): %.1f MB (%+.1f %%)\n", minutes, rounds, end,
                100.0 * (end - start) / start);
    return end <= start * 1.10 ? 0 : 1;
}
