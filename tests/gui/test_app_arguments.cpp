// The program's command line: the options it takes, and one-line errors for anything else.
#include <gtest/gtest.h>

#include "app/shell/app_arguments.h"

namespace md {
namespace {

TEST(AppArguments, TakesItsOptionsAndRefusesTheRest) {
    struct Case {
        QStringList args;
        bool demo, hidden, help, version;
        const char* error;  // part of the error text; "" when none
    };
    const Case cases[] = {
        {{}, false, false, false, false, ""},
        {{"--demo", "--hidden"}, true, true, false, false, ""},
        {{"--help"}, false, false, true, false, ""},
        {{"-h"}, false, false, true, false, ""},
        {{"--version"}, false, false, false, true, ""},
        {{"-v"}, false, false, false, true, ""},
        {{"--bogus"}, false, false, false, false, "bogus"},
        {{"somefile"}, false, false, false, false, "somefile"},
    };
    for (const Case& c : cases) {
        const AppArguments a = parseAppArguments(QStringList{"mouse-driver"} + c.args);
        const std::string label = c.args.join(' ').toStdString();
        EXPECT_EQ(a.demo, c.demo) << label;
        EXPECT_EQ(a.hidden, c.hidden) << label;
        EXPECT_EQ(a.help, c.help) << label;
        EXPECT_EQ(a.version, c.version) << label;
        if (*c.error)
            EXPECT_TRUE(a.error.contains(c.error)) << label << ": " << a.error.toStdString();
        else
            EXPECT_TRUE(a.error.isEmpty()) << label << ": " << a.error.toStdString();
    }
    EXPECT_TRUE(appUsage().startsWith("Usage: mouse-driver"));
}

TEST(AppArguments, TheLightingServerForOneRun) {
    struct Case {
        QStringList args;
        bool server;
        uint16_t port;
        const char* error;
    };
    const Case cases[] = {
        {{}, false, 0, ""},
        {{"--sdk-server"}, true, 0, ""},
        {{"--sdk-port", "7000"}, true, 7000, ""},
        {{"--sdk-server", "--sdk-port=6800"}, true, 6800, ""},
        {{"--sdk-port", "0"}, false, 0, "1 to 65535"},
        {{"--sdk-port", "70000"}, false, 0, "1 to 65535"},
        {{"--sdk-port", "x"}, false, 0, "1 to 65535"},
        {{"--sdk-port"}, false, 0, "sdk-port"},
    };
    for (const Case& c : cases) {
        const AppArguments a = parseAppArguments(QStringList{"mouse-driver"} + c.args);
        const std::string label = c.args.join(' ').toStdString();
        if (*c.error) {
            EXPECT_TRUE(a.error.contains(c.error)) << label << ": " << a.error.toStdString();
            continue;
        }
        EXPECT_TRUE(a.error.isEmpty()) << label << ": " << a.error.toStdString();
        EXPECT_EQ(a.sdkServer, c.server) << label;
        EXPECT_EQ(a.sdkPort, c.port) << label;
    }
}

}  // namespace
}  // namespace md
