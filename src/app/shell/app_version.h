#pragma once
// Version texts of the application. The version text is the one of the application's row
// (type "ALL") in the settings window's version list.

namespace md {

inline constexpr const char* kAppVersionText = "V0100";

}  // namespace md
