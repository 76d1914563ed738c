#include "app/shell/application.h"

#include <QApplication>
#include <QScreen>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/devmgmt/app_device_host.h"
#include "app/devmgmt/device_manager.h"
#include "app/services/dbus_service.h"
#include "app/services/demo_devices.h"
#include "app/services/single_instance.h"
#include "app/services/sleep_watcher.h"
#include "app/services/termination_watcher.h"
#include "app/shell/app_messages.h"
#include "app/shell/control_classes.h"
#include "app/shell/font_holder.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/settings_window_hooks.h"
#include "audio/audio_state_file.h"
#include "cli/routing.h"
#include "common/dbg_out.h"
#include "common/file_lock.h"
#include "devlink/link/device_id_config.h"
#include "pages/mouse/device_page_classes.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
AppOptions g_options;

struct OwnerLocks {
    FileLock application;
    FileLock owner;
};

// The application lock tells mouse-driver-cli that the program runs (and takes its verbs over
// the session bus); the owner lock keeps the tool's own runs away from the devices meanwhile.
OwnerLocks takeOwnership() {
    constexpr int kOwnerWaitMs = 5000;
    std::error_code ec;
    std::filesystem::create_directories(AppPaths::configRoot(), ec);
    OwnerLocks locks;
    locks.application = FileLock::acquire(cli::applicationLockPath(), 0);
    locks.owner = FileLock::acquire(cli::ownerLockPath(), kOwnerWaitMs);
    if (!locks.owner.locked())
        dbgOutf("owner lock not taken (error %d): a command-line run still holds the devices\n",
                locks.owner.error());
    return locks;
}

void setUpResources(QApplication& app) {
    ResourceManager& res = ResourceManager::instance();
    res.setSkinFolder(QString::fromStdString(AppPaths::programDataFolder("skin")));
    if (!res.loadResource("res.xml")) dbgOut("skin resource index missing");
    registerApplicationControls();
    registerDevicePageControls();
    app.setStyleSheet(res.styleSheet());
}
}  // namespace

const AppOptions& appOptions() {
    return g_options;
}

int runApplication(int argc, char** argv) {
    dbgInitFromEnvironment();
    for (int i = 1; i < argc; ++i) {
        if (QByteArrayView(argv[i]) == "--demo") g_options.demo = true;
        if (QByteArrayView(argv[i]) == "--hidden") g_options.hidden = true;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Mouse Driver");
    QApplication::setQuitOnLastWindowClosed(false);

    std::array<FontHolder, 4> fonts;  // destroyed in reverse load order
    for (std::size_t i = 0; i < fonts.size(); ++i) fonts[i].load(FontHolder::kFontFiles[i]);
    installFontSubstitutes();

    SingleInstance instance;
    if (instance.acquire() == SingleInstance::Role::Secondary) return 0;
    // The program owns the devices and the data folder while it runs; a command-line run that
    // holds them is waited for briefly.
    const OwnerLocks owner = takeOwnership();

    setUpResources(app);

    // With --demo everything runs against the virtual devices.
    std::unique_ptr<DemoDevices> demo;
    if (g_options.demo) {
        demo = std::make_unique<DemoDevices>(AppPaths::dataRoot() + "demo-devices.json");
        if (!demo->valid()) dbgOut("virtual devices could not be created");
        // A plug time line for measurements (bench/app_load.sh).
        if (const char* script = std::getenv("MOUSE_DRIVER_DEMO_SCRIPT")) demo->playScript(script);
        // The headset's audio runs on the audio library's simulation, kept in this process,
        // unless the caller chose a simulation already.
        ::setenv(kAudioSimVariable, "1", 0);
    }

    const QString dataFolder = QString::fromStdString(AppPaths::defaultDataFolder());
    const QString configRoot = QString::fromStdString(AppPaths::configRoot());
    auto window = std::make_unique<CMainWnd>(std::make_unique<LanguageController>(
        dataFolder + "Language.config", configRoot + "settings.ini"));
    CMainWnd* wnd = window.get();
    installSettingsWindow(*wnd);
    auto* devices =
        new DeviceManager(*wnd, loadDeviceTable(AppPaths::defaultDataFolder() + "devices.json",
                                                AppPaths::configRoot() + "devices.json"));
    AppDeviceHost host(*devices);
    if (demo) {
        DemoDevices* devices = demo.get();
        wnd->hooks().extendTrayMenu = [devices](QMenu* menu) { devices->fillMenu(menu); };
    }
    auto deliver = [wnd](uint32_t m, uintptr_t w, intptr_t l) { wnd->handleMessage(m, w, l); };
    if (DbusService* service = instance.service()) {
        service->setHandler(deliver);
        service->setCommandHandler(
            [&host](const std::vector<std::string>& args, std::string& out, std::string& err) {
                return runHostedCommand(host, args, out, err);
            });
        QObject::connect(wnd, &CMainWnd::lightOwnerNotify, service, &DbusService::LightOwnerNotify);
    }
    QObject::connect(&instance, &SingleInstance::activationRequested, wnd,
                     [wnd] { wnd->handleMessage(msg::kActivateInstance, 0, 1); });
    new SleepWatcher(deliver, wnd);
    new TerminationWatcher([wnd] { wnd->exitApplication(); }, wnd);

    if (QScreen* s = wnd->screen())
        wnd->move(s->availableGeometry().center() - wnd->rect().center());
    if (g_options.hidden)
        wnd->startHidden();
    else
        wnd->show();
    QApplication::exec();

    // The devices go with the window; no command may reach them after this.
    if (DbusService* service = instance.service()) service->setCommandHandler(nullptr);
    window.reset();
    demo.reset();
    ResourceManager::instance().release();
    return 0;
}

}  // namespace md
