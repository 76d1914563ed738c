#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profiles/app_paths.h"
#include "scoped_env.h"
#include "temp_folder.h"

namespace md {
namespace {

std::string normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

TEST(AppPaths, DeviceDataFolderFollowsXdgAndIsCreated) {
    test::TempFolder dir;
    AppPaths::setDataRoot("");
    {
        test::ScopedEnv xdg("XDG_DATA_HOME", (dir.path() + "xdg").c_str());
        EXPECT_EQ(AppPaths::deviceDataFolder("mouse"), dir.path() + "xdg/Mouse Driver/mouse/");
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "xdg/Mouse Driver/mouse"));
        // The headset's model folder is empty: its files live in the data root itself.
        EXPECT_EQ(AppPaths::deviceDataFolder(""), dir.path() + "xdg/Mouse Driver/");
    }
    for (const char* unusable : {"relative/path", ""}) {
        test::ScopedEnv xdg("XDG_DATA_HOME", unusable);
        test::ScopedEnv home("HOME", (dir.path() + "home").c_str());
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
    std::filesystem::create_directories(dir.path() + "bin/" MD_DATA_FROM_BIN "/DefaultData");
    AppPaths::setApplicationFolder(dir.path() + "bin");
    EXPECT_EQ(AppPaths::applicationFolder(), dir.path() + "bin/");
    EXPECT_EQ(AppPaths::defaultTemplatePath("mouse"),
              normal(dir.path() + "bin/" MD_DATA_FROM_BIN "/DefaultData/") + "mouse.Json");
    std::filesystem::create_directories(dir.path() + "bin/DefaultData");
    EXPECT_EQ(AppPaths::defaultTemplatePath(""), dir.path() + "bin/DefaultData/.Json");
    AppPaths::setApplicationFolder("");
    EXPECT_EQ(AppPaths::applicationFolder(), std::string(MD_BINARY_DIR) + "/tests/");
}

// The program's data and plugin folders, in a build folder (beside the program) and in an
// installed tree (bin/ beside share/mouse-driver/ and lib/mouse-driver/), whose relative
// places come from the build's install directories.
TEST(AppPaths, DataAndPluginFoldersFollowTheLayoutTheProgramRunsIn) {
    struct Case {
        const char* what;
        std::vector<std::string> folders;  // created below the temporary root
        std::string skin, font, sdk;       // expected, below the temporary root
    };
    // Below the root; an installed tree's folders are answered without "..".
    const std::string share = normal(std::string("bin/") + MD_DATA_FROM_BIN + "/");
    const std::string lib = normal(std::string("bin/") + MD_LIBDIR_FROM_BIN + "/");
    const std::vector<Case> cases = {
        {"build folder", {"bin/skin", "bin/Font", "bin/SDK"}, "bin/skin/", "bin/Font/", "bin/SDK/"},
        {"installed tree",
         {"bin", share + "skin", share + "Font", lib + "SDK"},
         share + "skin/",
         share + "Font/",
         lib + "SDK/"},
        // A build folder that also lies in an installed tree keeps its own data.
        {"both",
         {"bin/skin", share + "skin", share + "Font", lib + "SDK"},
         "bin/skin/",
         share + "Font/",
         lib + "SDK/"},
        // Nothing anywhere: the places beside the program, where a file is then simply missing.
        {"neither", {"bin"}, "bin/skin/", "bin/Font/", "bin/SDK/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder dir;
        for (const std::string& f : c.folders) std::filesystem::create_directories(dir.path() + f);
        AppPaths::setApplicationFolder(dir.path() + "bin");
        EXPECT_EQ(AppPaths::programDataFolder("skin"), dir.path() + c.skin);
        EXPECT_EQ(AppPaths::programDataFolder("Font"), dir.path() + c.font);
        EXPECT_EQ(AppPaths::sdkFolder(), dir.path() + c.sdk);
    }
    AppPaths::setApplicationFolder("");
}

}  // namespace
}  // namespace md
