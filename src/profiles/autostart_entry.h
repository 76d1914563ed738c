#pragma once
// Starting the program with the desktop session: the user's XDG autostart entry
// "mouse-driver.desktop" in $XDG_CONFIG_HOME/autostart/, which starts the program hidden in the
// notification area (--hidden). Switching on writes the entry (atomically), switching off
// removes it. An entry the user or the desktop switched off (Hidden=true,
// X-GNOME-Autostart-enabled=false) counts as off.

#include <string>
#include <string_view>

namespace md {

class AutostartEntry {
  public:
    static constexpr const char* kFileName = "mouse-driver.desktop";

    // folder: the autostart folder; program: absolute path of the executable to start.
    AutostartEntry(std::string folder, std::string program);
    // The entry of the running program in the user's autostart folder.
    static AutostartEntry forThisProgram();

    const std::string& path() const { return m_path; }
    bool enabled() const;
    // Writes or removes the entry (creating the folder when needed). Empty when done, else a
    // message that names the file.
    std::string setEnabled(bool on) const;

    // The entry's text for program; empty when the path cannot be written into an Exec line
    // (control characters, or not absolute).
    static std::string desktopEntryText(const std::string& program);

  private:
    std::string m_folder;
    std::string m_path;
    std::string m_program;
};

// One argument of an Exec line as desktop entries want it: quoted when it has
// a reserved character, with '"', '`', '$' and '\' escaped inside the quotes, '%' doubled, and
// every '\' then doubled again for the string value the line is.
std::string execLineArgument(std::string_view arg);

}  // namespace md
