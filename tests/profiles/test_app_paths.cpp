#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "profiles/app_paths.h"
#include "temp_folder.h"

namespace md {
namespace {

// Sets an environment variable for the life of the object and restores it afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(AppPaths, DeviceDataFolderFollowsXdgAndIsCreated) {
    test::TempFolder dir;
    AppPaths::setDataRoot("");
    {
        ScopedEnv xdg("XDG_DATA_HOME", (dir.path() + "xdg").c_str());
        EXPECT_EQ(AppPaths::deviceDataFolder("mouse"), dir.path() + "xdg/Mouse Driver/mouse/");
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "xdg/Mouse Driver/mouse"));
        // The headset's model folder is empty: its files live in the data root itself.
        EXPECT_EQ(AppPaths::deviceDataFolder(""), dir.path() + "xdg/Mouse Driver/");
    }
    for (const char* unusable : {"relative/path", ""}) {
        ScopedEnv xdg("XDG_DATA_HOME", unusable);
        ScopedEnv home("HOME", (dir.path() + "home").c_str());
        EXPECT_EQ(AppPaths::deviceDataFolder("MousePad"),
                  dir.path() + "home/.local/share/Mouse Driver/MousePad/");
        EXPECT_TRUE(
            std::filesystem::is_directory(dir.path() + "home/.local/share/Mouse Driver/MousePad"));
    }
    AppPaths::setDataRoot(dir.path() + "root");
    EXPECT_EQ(AppPaths::deviceDataFolder("keyboard"), dir.path() + "root/keyboard/");
    AppPaths::setDataRoot("");
}

TEST(AppPaths, DefaultDataBesideTheProgramOrInstalled) {
    test::TempFolder dir;
    std::filesystem::create_directories(dir.path() + "bin");
    std::filesystem::create_directories(dir.path() + "share/mouse-driver/DefaultData");
    AppPaths::setApplicationFolder(dir.path() + "bin");
    EXPECT_EQ(AppPaths::applicationFolder(), dir.path() + "bin/");
    EXPECT_EQ(AppPaths::defaultTemplatePath("mouse"),
              dir.path() + "bin/../share/mouse-driver/DefaultData/mouse.Json");
    std::filesystem::create_directories(dir.path() + "bin/DefaultData");
    EXPECT_EQ(AppPaths::defaultTemplatePath(""), dir.path() + "bin/DefaultData/.Json");
    AppPaths::setApplicationFolder("");
    EXPECT_EQ(AppPaths::applicationFolder(), std::string(MD_BINARY_DIR) + "/tests/");
}

}  // namespace
}  // namespace md
