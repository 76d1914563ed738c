#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "profiles/autostart_entry.h"
#include "scoped_env.h"
#include "temp_folder.h"

namespace md {
namespace {

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The value of key in the entry's text, or "(none)".
std::string valueOf(const std::string& text, const std::string& key) {
    const auto at = text.find("\n" + key + "=");
    if (at == std::string::npos) return "(none)";
    const auto start = at + key.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(AutostartEntry, SwitchingOnWritesAnEntryThatStartsTheProgramHiddenAndOffRemovesIt) {
    test::TempFolder dir;
    test::ScopedEnv xdg("XDG_CONFIG_HOME", (dir.path() + "config").c_str());
    const AutostartEntry entry = AutostartEntry::forThisProgram();
    const std::string path = dir.path() + "config/autostart/mouse-driver.desktop";
    EXPECT_EQ(entry.path(), path);
    EXPECT_FALSE(entry.enabled());

    // The autostart folder does not exist yet: it is created.
    EXPECT_EQ(entry.setEnabled(true), "");
    EXPECT_TRUE(entry.enabled());
    const std::string text = test::readBytes(path);
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_EQ(valueOf(text, "Type"), "Application");
    EXPECT_EQ(valueOf(text, "Exec"),
              std::filesystem::read_symlink("/proc/self/exe").string() + " --hidden");
    EXPECT_EQ(valueOf(text, "TryExec"), std::filesystem::read_symlink("/proc/self/exe").string());
    EXPECT_EQ(valueOf(text, "Icon"), "mouse-driver");
    EXPECT_EQ(valueOf(text, "Hidden"), "(none)");

    // Switching on again leaves one entry; switching off removes it, twice is no error.
    EXPECT_EQ(entry.setEnabled(true), "");
    EXPECT_EQ(entry.setEnabled(false), "");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(entry.enabled());
    EXPECT_EQ(entry.setEnabled(false), "");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "config/autostart"));
}

TEST(AutostartEntry, EntriesSwitchedOffOrUnreadableCountAsOff) {
    struct Case {
        const char* what;
        std::string text;
        bool enabled;
    };
    const std::vector<Case> cases = {
        {"plain entry", "[Desktop Entry]\nType=Application\nExec=/usr/bin/mouse-driver\n", true},
        {"hidden by the user", "[Desktop Entry]\nExec=x\nHidden=true\n", false},
        {"hidden, spaced", "[Desktop Entry]\nHidden = true\n", false},
        {"switched off in GNOME", "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
        {"switched on in GNOME", "[Desktop Entry]\nX-GNOME-Autostart-enabled=true\n", true},
        {"Hidden=true of an action only",
         "[Desktop Entry]\nExec=x\n[Desktop Action a]\nHidden=true\n", true},
        {"no main group", "Exec=x\nHidden=false\n", false},
        {"binary junk", std::string("\0\x01\xff[", 4), false},
        {"comment only", "# [Desktop Entry]\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder dir;
        const AutostartEntry entry(dir.path(), "/usr/bin/mouse-driver");
        writeText(entry.path(), c.text);
        EXPECT_EQ(entry.enabled(), c.enabled);
    }
    // Not a regular file: a folder and a FIFO are off, and reading a FIFO does not block.
    test::TempFolder dir;
    const AutostartEntry entry(dir.path(), "/usr/bin/mouse-driver");
    ASSERT_EQ(::mkfifo(entry.path().c_str(), 0600), 0);
    EXPECT_FALSE(entry.enabled());
    std::filesystem::remove(entry.path());
    std::filesystem::create_directory(entry.path());
    EXPECT_FALSE(entry.enabled());
}

TEST(AutostartEntry, SwitchingOnReplacesAnEntryThatWasSwitchedOff) {
    test::TempFolder dir;
    const AutostartEntry entry(dir.path(), "/opt/md/bin/mouse-driver");
    writeText(entry.path(), "[Desktop Entry]\nExec=/old/mouse-driver\nHidden=true\n");
    EXPECT_EQ(entry.setEnabled(true), "");
    EXPECT_TRUE(entry.enabled());
    EXPECT_EQ(valueOf(test::readBytes(entry.path()), "Exec"), "/opt/md/bin/mouse-driver --hidden");
}

TEST(AutostartEntry, FailuresAreReportedWithThePathAndChangeNothing) {
    test::TempFolder dir;
    // The autostart folder's place is taken by a file.
    writeText(dir.path() + "autostart", "not a folder");
    const AutostartEntry blocked(dir.path() + "autostart", "/usr/bin/mouse-driver");
    const std::string problem = blocked.setEnabled(true);
    EXPECT_NE(problem.find(dir.path() + "autostart"), std::string::npos) << problem;
    EXPECT_EQ(test::readBytes(dir.path() + "autostart"), "not a folder");
    EXPECT_FALSE(blocked.enabled());

    // A program path that no Exec line can carry is refused before anything is written.
    for (const char* program : {"", "relative/mouse-driver", "/bin/mouse\ndriver"}) {
        const AutostartEntry entry(dir.path() + "ok", program);
        EXPECT_NE(entry.setEnabled(true), "") << program;
        EXPECT_FALSE(std::filesystem::exists(entry.path())) << program;
    }
}

// Exec lines: quoting for reserved characters, '%' doubled, backslashes escaped twice.
TEST(AutostartEntry, ExecArgumentsAreQuotedAsTheDesktopEntrySpecificationSays) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/usr/bin/mouse-driver", "/usr/bin/mouse-driver"},
        {"/home/a b/mouse-driver", "\"/home/a b/mouse-driver\""},
        {"/opt/100%/md", "/opt/100%%/md"},
        {"/opt/$HOME/md", "\"/opt/\\\\$HOME/md\""},
        {"/opt/a\"b", "\"/opt/a\\\\\"b\""},
        {"/opt/a\\b", "\"/opt/a\\\\\\\\b\""},
        {"/opt/it's", "\"/opt/it's\""},
        {"", "\"\""},
    };
    for (const auto& [arg, expected] : cases) EXPECT_EQ(execLineArgument(arg), expected) << arg;
}

}  // namespace
}  // namespace md
