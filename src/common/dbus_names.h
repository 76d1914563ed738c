#pragma once
// The program's D-Bus service on the session bus (see README, "D-Bus interface").

namespace md::dbus {

inline constexpr const char* kService = "org.mousedriver.MouseDriver";
inline constexpr const char* kPath = "/org/mousedriver/MouseDriver";
inline constexpr const char* kInterface = "org.mousedriver.MouseDriver";

}  // namespace md::dbus
