#pragma once
// Connects the settings window to the main window: "setbtn", the tray menu and message 3093 open
// it (one at a time), the update-progress message and language switches reach it while it is
// open, and closing the secondary windows closes it.

#include <functional>

#include "app/shell/set_wnd.h"

namespace md {

class CMainWnd;

void installSettingsWindow(CMainWnd& wnd);
// What the settings window's lighting-server switch shows and does, asked at every opening.
void installLightingServerSwitch(std::function<SetWndSetup::LightingServer()> current);

}  // namespace md
