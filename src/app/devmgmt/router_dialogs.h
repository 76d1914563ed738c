#pragma once
// The dialogs the page routers show through their hooks (tests put their own answers there):
// a question, a message and a file to open or save (ui/file_dialog.h).

#include <QString>

#include "ui/file_dialog.h"

namespace md {

class CMainWnd;

// The text of textId as a yes/no question over the window; true for yes.
bool askYesNo(CMainWnd& wnd, const QString& textId);
// A message over the window: the text of a text id, or the text itself.
void tellUser(CMainWnd& wnd, const QString& text, bool isId);

}  // namespace md
