#pragma once
// File dialogs of the program: they keep the desktop's look, not the program's style sheet.

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace md {

// The file dialog for one kind of file (name filter and default suffix), opened in folder when
// one is given. It has no parent widget, so it keeps the desktop's look instead of the
// program's style sheet, and stays modal to and above parent's window.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, bool save, const QString& filter,
                                            const QString& suffix, const QString& folder);
// makeFileDialog run: the chosen file, "" when cancelled.
QString chooseFileOf(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                     const QString& folder = QString());

}  // namespace md
