#pragma once
// The command line of mouse-driver: --demo, --hidden, --sdk-server, --sdk-port PORT, --help,
// --version. Anything else is an error of one line (exit 2), not a start.

#include <QString>
#include <QStringList>

namespace md {

struct AppArguments {
    bool demo = false;       // the virtual devices instead of hardware
    bool hidden = false;     // start in the notification area, the window hidden
    bool sdkServer = false;  // the RGB SDK server for this run (--sdk-port implies it)
    uint16_t sdkPort = 0;    // 0: the settings' or the default port
    bool help = false;
    bool version = false;
    QString error;  // what is wrong with the command line; empty when it is right
};

// args as QCoreApplication::arguments() gives them (the program name first).
AppArguments parseAppArguments(const QStringList& args);
QString appUsage();

}  // namespace md
