// The page's pointer, wheel and double-click values reach the desktop's own settings: GNOME's
// GSettings (in a private key file), KDE Plasma's files (other keys kept, reload signal asked
// for), the X server's pointer control; the backend follows the desktop the program runs in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/command_output.h"
#include "input/desktop/desktop_pointer.h"
#include "input/desktop/gnome_pointer.h"
#include "input/desktop/kde_pointer.h"
#include "input/desktop/x11_pointer.h"
#include "profiles/scoped_env.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DesktopPointer, KdeConfigValuesChangeInPlace) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"", "[Mouse]\nX=1\n"},
        {"[Mouse]\nX=0\nY=2\n", "[Mouse]\nX=1\nY=2\n"},
        {"[Other]\nX=5\n\n[Mouse]\nY=2\n\n[Last]\nZ=3\n",
         "[Other]\nX=5\n\n[Mouse]\nY=2\nX=1\n\n[Last]\nZ=3\n"},
        {"# a comment\n[General]\nA=b\n", "# a comment\n[General]\nA=b\n\n[Mouse]\nX=1\n"},
        {"[Mouse][$i]\nX=0\n", "[Mouse][$i]\nX=0\n\n[Mouse]\nX=1\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withKdeConfigValue(c.text, "Mouse", "X", "1"), c.expected) << c.text;
}

TEST(DesktopPointer, KdeFilesGetTheValuesAndTheReloadIsAsked) {
    test::TempFolder home;
    std::ofstream(home.path() + "kdeglobals") << "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n";
    int reloads = 0;
    KdePointer kde(home.path(), [&] { ++reloads; });
    PointerValues v;
    v.speed = 15, v.precision = false, v.wheelLines = 7, v.doubleClickMs = 350;
    std::string problem;
    ASSERT_TRUE(kde.apply(v, problem)) << problem;
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(readAll(home.path() + "kcminputrc"),
              "[Mouse]\nXLbInptPointerAcceleration=0.50\nXLbInptAccelProfileFlat=true\n");
    EXPECT_EQ(readAll(home.path() + "kdeglobals"),
              "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\nWheelScrollLines=7\n"
              "DoubleClickInterval=350\n");
    // A folder that cannot be written: refused, no reload.
    KdePointer nowhere("/nonexistent/folder", [&] { ++reloads; });
    EXPECT_FALSE(nowhere.apply(v, problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(reloads, 1);
}

TEST(DesktopPointer, GnomeSettingsInAPrivateStore) {
    if (!commandOutput({"gsettings", "--version"}, 3000)) GTEST_SKIP() << "no gsettings tool";
    test::TempFolder home;
    test::ScopedEnv config("XDG_CONFIG_HOME", home.path().c_str());
    test::ScopedEnv backend("GSETTINGS_BACKEND", "keyfile");
    GnomePointer gnome;
    PointerValues v;
    v.speed = 5, v.precision = false, v.doubleClickMs = 420;
    std::string problem;
    ASSERT_TRUE(gnome.apply(v, problem)) << problem;
    const std::string keyfile = readAll(home.path() + "glib-2.0/settings/keyfile");
    EXPECT_NE(keyfile.find("[org/gnome/desktop/peripherals/mouse]"), std::string::npos) << keyfile;
    EXPECT_NE(keyfile.find("speed=-0.5"), std::string::npos) << keyfile;
    EXPECT_NE(keyfile.find("accel-profile='flat'"), std::string::npos) << keyfile;
    EXPECT_NE(keyfile.find("double-click=420"), std::string::npos) << keyfile;
    EXPECT_FALSE(gnome.support().wheelLines);
}

TEST(DesktopPointer, TheDesktopChoosesTheBackend) {
    struct Case {
        const char* desktop;
        const char* display;
        const char* session;
        const char* name;
    };
    const Case cases[] = {{"GNOME", ":0", "wayland", "GNOME"},
                          {"ubuntu:GNOME", nullptr, nullptr, "GNOME"},
                          {"KDE", nullptr, "wayland", "KDE Plasma"},
                          {"XFCE", ":0", "x11", "X11"},
                          {"sway", ":0", "wayland", ""},
                          {nullptr, nullptr, nullptr, ""}};
    for (const Case& c : cases) {
        test::ScopedEnv d("XDG_CURRENT_DESKTOP", c.desktop);
        test::ScopedEnv x("DISPLAY", c.display);
        test::ScopedEnv s("XDG_SESSION_TYPE", c.session);
        const auto p = makeDesktopPointer("", nullptr);
        EXPECT_EQ(p->desktopName(), c.name) << (c.desktop ? c.desktop : "none");
        EXPECT_EQ(p->support().any(), *c.name != '\0');
    }
}

TEST(DesktopPointer, XAccelerationFollowsSpeedAndPrecision) {
    PointerValues v;
    v.speed = 15;
    EXPECT_EQ(X11Pointer::controlOf(v).numerator, 15);
    EXPECT_EQ(X11Pointer::controlOf(v).denominator, 10);
    v.precision = false;
    EXPECT_EQ(X11Pointer::controlOf(v).numerator, 1);
    EXPECT_EQ(X11Pointer::controlOf(v).denominator, 1);
    EXPECT_DOUBLE_EQ(libinputSpeed(1), -0.9);
    EXPECT_DOUBLE_EQ(libinputSpeed(20), 1.0);
    EXPECT_DOUBLE_EQ(libinputSpeed(99), 1.0);
}

}  // namespace
}  // namespace md
