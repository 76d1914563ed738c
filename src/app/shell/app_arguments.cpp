#include "app/shell/app_arguments.h"

#include <QCommandLineParser>

namespace md {

namespace {
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption demo{"demo", "Use the virtual devices instead of hardware."};
    QCommandLineOption hidden{"hidden", "Start in the notification area without the window."};
    QCommandLineOption sdkServer{"sdk-server", "Let other lighting programs drive the devices."};
    QCommandLineOption sdkPort{"sdk-port", "The lighting server's port.", "PORT"};
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{{"v", "version"}, "Show the program's version and exit."};
    Parser() { parser.addOptions({demo, hidden, sdkServer, sdkPort, help, version}); }
};
}  // namespace

AppArguments parseAppArguments(const QStringList& args) {
    Parser p;
    AppArguments out;
    if (!p.parser.parse(args)) {
        out.error = p.parser.errorText();
        if (out.error.endsWith('.')) out.error.chop(1);
        return out;
    }
    if (const QStringList extra = p.parser.positionalArguments(); !extra.isEmpty()) {
        out.error = QStringLiteral("unexpected argument '%1'").arg(extra.first());
        return out;
    }
    out.demo = p.parser.isSet(p.demo);
    out.hidden = p.parser.isSet(p.hidden);
    out.sdkServer = p.parser.isSet(p.sdkServer) || p.parser.isSet(p.sdkPort);
    if (p.parser.isSet(p.sdkPort)) {
        bool ok = false;
        const uint port = p.parser.value(p.sdkPort).toUInt(&ok);
        if (!ok || port == 0 || port > 65535) {
            out.error = QStringLiteral("--sdk-port takes a port from 1 to 65535");
            return out;
        }
        out.sdkPort = static_cast<uint16_t>(port);
    }
    out.help = p.parser.isSet(p.help);
    out.version = p.parser.isSet(p.version);
    return out;
}

QString appUsage() {
    return QStringLiteral(
        "Usage: mouse-driver [--demo] [--hidden] [--sdk-server] [--sdk-port PORT]\n"
        "Mouse Driver: settings, lighting, keys and profiles of the gaming mouse, keyboard,\n"
        "mousepad and headset.\n\n"
        "Options:\n"
        "  --demo          use the virtual devices instead of hardware\n"
        "  --hidden        start in the notification area without the window\n"
        "  --sdk-server    let other lighting programs drive the devices (RGB SDK\n"
        "                  protocol, loopback only, port 6742)\n"
        "  --sdk-port PORT the same on another port\n"
        "  -v, --version   show the program's version and exit\n"
        "  -h, --help      show this help and exit\n"
        "The Qt options (-platform, -style, ...) are accepted too.\n");
}

}  // namespace md
