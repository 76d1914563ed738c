#include "app/devmgmt/router_dialogs.h"

#include <QFileDialog>
#include <QWindow>

#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"

namespace md {

bool askYesNo(CMainWnd& wnd, const QString& textId) {
    return showMessageBox(&wnd, QString(), textId, wnd.uiScale(), true, 1) == 1;
}

void tellUser(CMainWnd& wnd, const QString& text, bool isId) {
    showMessageBox(&wnd, QString(), text, wnd.uiScale(), isId, 0);
}

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, bool save, const QString& filter,
                                            const QString& suffix, const QString& folder) {
    auto dialog = std::make_unique<QFileDialog>();
    dialog->setWindowModality(Qt::ApplicationModal);
    if (parent) {
        dialog->winId();
        if (QWindow* handle = dialog->windowHandle())
            handle->setTransientParent(parent->window()->windowHandle());
    }
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilter(filter);
    dialog->setDefaultSuffix(suffix);
    if (!folder.isEmpty()) dialog->setDirectory(folder);
    return dialog;
}

QString chooseFileOf(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                     const QString& folder) {
    const auto dialog = makeFileDialog(parent, save, filter, suffix, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return QString();
    return dialog->selectedFiles().first();
}

}  // namespace md
