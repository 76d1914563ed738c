#include "app/shell/application.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/devmgmt/app_device_host.h"
#include "app/devmgmt/device_manager.h"
#include "app/services/dbus_service.h"
#include "app/services/demo_devices.h"
#include "app/services/rgb_server_host.h"
#include "app/services/single_instance.h"
#include "app/services/sleep_watcher.h"
#include "app/services/termination_watcher.h"
#include "app/shell/app_arguments.h"
#include "app/shell/app_messages.h"
#include "app/shell/control_classes.h"
#include "app/shell/font_holder.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"
#include "app/shell/settings_window_hooks.h"
#include "audio/audio_state_file.h"
#include "cli/routing.h"
#include "common/dbg_out.h"
#include "common/dbus_names.h"
#include "common/file_lock.h"
#include "devlink/link/device_id_config.h"
#include "pages/device_page_classes.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
AppOptions g_options;
// The longest a command-line run holds the devices before it gives up itself.
constexpr int kToolWaitMs = 30000;

void setUpResources() {
    ResourceManager& res = ResourceManager::instance();
    res.setSkinFolder(QString::fromStdString(AppPaths::programDataFolder("skin")));
    if (!res.loadResource("res.xml")) dbgOut("skin resource index missing");
    registerApplicationControls();
    registerDevicePageControls();
}
}  // namespace

const AppOptions& appOptions() {
    return g_options;
}

int runApplication(int argc, char** argv) {
    dbgInitFromEnvironment();
    // --help and --version answer before Qt starts, so they need no display.
    QStringList words;
    for (int i = 0; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
    auto refuse = [](const QString& error) {
        std::fprintf(stderr, "mouse-driver: %s (try mouse-driver --help)\n",
                     error.toLocal8Bit().constData());
        return 2;
    };
    // --help and --version are answered with exit code 0; nullopt for a command line to run.
    auto answer = [](const AppArguments& a) -> std::optional<int> {
        if (a.help) return std::fputs(appUsage().toLocal8Bit().constData(), stdout), 0;
        if (a.version) return std::printf("mouse-driver %s\n", MD_VERSION_TEXT), 0;
        return std::nullopt;
    };
    const AppArguments early = parseAppArguments(words);
    if (early.error.isEmpty()) {
        if (const auto rc = answer(early)) return *rc;
    } else if (!std::any_of(words.begin() + 1, words.end(), [](const QString& w) {
                   return w.size() > 1 && w[0] == '-' && w[1] != '-';
               })) {
        return refuse(early.error);  // no Qt option (-platform, -style) that Qt would take
    }

    QApplication app(argc, argv);
    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    const AppArguments parsed = parseAppArguments(QCoreApplication::arguments());
    if (!parsed.error.isEmpty()) return refuse(parsed.error);
    if (const auto rc = answer(parsed)) return *rc;
    g_options.demo = parsed.demo;
    g_options.hidden = parsed.hidden;
    QApplication::setApplicationName("Mouse Driver");
    // Docks and Wayland compositors match the window to its desktop entry by this id.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(dbus::kService));
    QApplication::setQuitOnLastWindowClosed(false);

    std::array<FontHolder, 4> fonts;  // destroyed in reverse load order
    for (std::size_t i = 0; i < fonts.size(); ++i) fonts[i].load(FontHolder::kFontFiles[i]);
    installFontSubstitutes();

    SingleInstance instance;
    if (instance.acquire() == SingleInstance::Role::Secondary) return 0;
    // The program owns the devices and the data folder while it runs. The session bus finds a
    // second start in the same session; the application lock finds one in another login
    // session of the same user, which must not drive the devices beside it. A command-line run
    // that holds the devices is waited for as long as the tool itself would wait.
    const cli::ProgramOwnership owner = cli::takeProgramOwnership(kToolWaitMs);

    setUpResources();
    if (owner.result == cli::ProgramOwnership::Result::OtherProgram) {
        LanguageController language(
            QString::fromStdString(AppPaths::defaultDataFolder()) + "Language.config",
            QString::fromStdString(AppPaths::configRoot()) + "settings.ini");
        language.applyLanguage(language.readLanguageIndex());
        std::fputs(
            "mouse-driver: Mouse Driver already runs in another session of this user; "
            "quit it there first\n",
            stderr);
        showMessageBox(nullptr, ResourceManager::instance().text(QStringLiteral("main_title")),
                       QStringLiteral("message_other_session"), 96, true, 0);
        return 1;
    }
    if (owner.result == cli::ProgramOwnership::Result::ToolBusy)
        dbgOut("owner lock not taken: a command-line run still holds the devices");

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
    ResourceManager::instance().applyStyle(wnd);
    installSettingsWindow(*wnd);
    auto* devices =
        new DeviceManager(*wnd, loadDeviceTable(AppPaths::defaultDataFolder() + "devices.json",
                                                AppPaths::configRoot() + "devices.json"));
    AppDeviceHost host(*devices);
    // Other lighting programs drive the devices through the lighting server when the settings
    // or the command line ask for it.
    RgbServerHost rgbServer(*devices);
    {
        const QString settingsFile = configRoot + "settings.ini";
        // The port of this run (--sdk-port), else the settings', else the protocol's default.
        const auto portIn = [forced = parsed.sdkPort](const QSettings& settings) {
            const uint port = settings.value("SdkPort", rgb::kDefaultPort).toUInt();
            return forced ? forced : uint16_t(port && port <= 65535 ? port : rgb::kDefaultPort);
        };
        const QSettings settings(settingsFile, QSettings::IniFormat);
        const uint16_t port = portIn(settings);
        std::string why;
        if ((parsed.sdkServer || settings.value("SdkServer", false).toBool()) &&
            !rgbServer.start(settings.value("SdkAddress").toString().toStdString(), port, &why))
            std::fprintf(stderr, "mouse-driver: the lighting server cannot listen on port %u: %s\n",
                         unsigned(port), why.c_str());
        // The settings window's switch: saved for every start, applied at once.
        installLightingServerSwitch([&rgbServer, settingsFile, portIn] {
            const QSettings current(settingsFile, QSettings::IniFormat);
            SetWndSetup::LightingServer s;
            s.on = rgbServer.running();
            s.address = current.value("SdkAddress").toString();
            s.apply = [&rgbServer, settingsFile, portIn](bool on, const QString& address) {
                QSettings stored(settingsFile, QSettings::IniFormat);
                stored.setValue("SdkServer", on);
                stored.setValue("SdkAddress", address);
                const uint16_t port = portIn(stored);
                rgbServer.stop();
                std::string problem;
                if (!on || rgbServer.start(address.toStdString(), port, &problem)) return QString();
                return ResourceManager::instance()
                    .text(QStringLiteral("set_sdk_server_failed"))
                    .arg(QString::number(port), QString::fromStdString(problem));
            };
            return s;
        });
    }
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
    installLightingServerSwitch(nullptr);
    rgbServer.stop();
    window.reset();
    demo.reset();
    ResourceManager::instance().release();
    return 0;
}

}  // namespace md
