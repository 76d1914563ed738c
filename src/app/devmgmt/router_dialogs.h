#pragma once
// The dialogs the page routers show through their hooks (tests put their own answers there):
// a question, a message and a file to open or save.

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace md {

class CMainWnd;

// The text of textId as a yes/no question over the window; true for yes.
bool askYesNo(CMainWnd& wnd, const QString& textId);
// A message over the window: the text of a text id, or the text itself.
void tellUser(CMainWnd& wnd, const QString& text, bool isId);
// The file dialog for one kind of file (name filter and default suffix), opened in folder when
// one is given. It has no parent widget, so it keeps the desktop's look instead of the
// program's style sheet, and stays modal to and above parent's window.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, bool save, const QString& filter,
                                            const QString& suffix, const QString& folder);
// makeFileDialog run: the chosen file, "" when cancelled.
QString chooseFileOf(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                     const QString& folder = QString());

}  // namespace md
