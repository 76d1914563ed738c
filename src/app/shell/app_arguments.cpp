#include "app/shell/app_arguments.h"

#include <QCommandLineParser>

namespace md {

namespace {
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption demo{"demo", "Use the virtual devices instead of hardware."};
    QCommandLineOption hidden{"hidden", "Start in the notification area without the window."};
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{{"v", "version"}, "Show the program's version and exit."};
    Parser() { parser.addOptions({demo, hidden, help, version}); }
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
    out.help = p.parser.isSet(p.help);
    out.version = p.parser.isSet(p.version);
    return out;
}

QString appUsage() {
    return QStringLiteral(
        "Usage: mouse-driver [--demo] [--hidden]\n"
        "Mouse Driver: settings, lighting, keys and profiles of the gaming mouse, keyboard,\n"
        "mousepad and headset.\n\n"
        "Options:\n"
        "  --demo          use the virtual devices instead of hardware\n"
        "  --hidden        start in the notification area without the window\n"
        "  -v, --version   show the program's version and exit\n"
        "  -h, --help      show this help and exit\n"
        "The Qt options (-platform, -style, ...) are accepted too.\n");
}

}  // namespace md
