#pragma once
// Connects the settings window to the main window: "setbtn", the tray menu and message 3093 open
// it (one at a time), the update-progress message and language switches reach it while it is
// open, and closing the secondary windows closes it.

namespace md {

class CMainWnd;

void installSettingsWindow(CMainWnd& wnd);

}  // namespace md
