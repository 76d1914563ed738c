#include "ui/file_dialog.h"

#include <QFileDialog>
#include <QWindow>

namespace md {

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
