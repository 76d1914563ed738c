#pragma once
// Where the program finds its own data and keeps the user's. Folder paths end with '/'.
//
//   application folder   directory of the running executable (overridable for tests)
//   program data folder  "DefaultData", "skin", "Font": beside the program in the build folder;
//                        an installed program finds them under its prefix's share/mouse-driver/
//   SDK folder           the run-time plugins: application folder + "SDK/" in the build folder,
//                        the prefix's lib/mouse-driver/SDK/ when installed
//   default data folder  the program data folder "DefaultData"
//   data root            $XDG_DATA_HOME/Mouse Driver/ (default ~/.local/share/Mouse Driver/)
//   device data folder   data root + model folder + "/"
//   config root          $XDG_CONFIG_HOME/Mouse Driver/ (default ~/.config/Mouse Driver/)

#include <string>
#include <string_view>

namespace md {

class AppPaths {
  public:
    static std::string applicationFolder();
    // name is a folder of the program's own data ("DefaultData", "skin", "Font"). When neither
    // place holds it, the folder beside the program is answered.
    static std::string programDataFolder(std::string_view name);
    static std::string sdkFolder();
    static std::string defaultDataFolder();
    // Factory template of a device kind: default data folder + model folder + ".Json".
    static std::string defaultTemplatePath(const std::string& modelFolder);

    // These create each missing level of the folder when they build it.
    static std::string dataRoot();
    static std::string deviceDataFolder(const std::string& modelFolder);
    // Settings and configuration the user may edit; not created here.
    static std::string configRoot();
    // $XDG_CONFIG_HOME/autostart/ (default ~/.config/autostart/); not created here.
    static std::string autostartFolder();
    // $XDG_CONFIG_HOME/ (default ~/.config/): where desktops keep their own settings.
    static std::string configHome();
    // Absolute path of the running executable.
    static std::string executablePath();

    // Overrides (empty restores the normal rule). For tests and the virtual-device demo.
    static void setApplicationFolder(const std::string& folder);
    static void setDataRoot(const std::string& folder);
};

// True when name can serve as a file name stem inside a data folder: non-empty, at most 128
// characters, letters, digits, '_' and '-' only. Identifiers read from files are used in
// paths only when they pass.
bool isSafeFileStem(std::string_view name);

}  // namespace md
