#pragma once
// UI scale rules of the windows.

#include <string_view>

namespace md {

// scale when it is one of 48, 72, 96, 120, 144, 168, 192; otherwise 96, writing errorLine to the
// debug output.
int checkUiScale(int scale, std::string_view errorLine);
// The scale for a monitor: 144 when it is wider than 1500 and higher than 960 pixels, else 96.
int monitorUiScale(int width, int height);

}  // namespace md
