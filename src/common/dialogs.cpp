#include "dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace tb {

void QtDialogs::message(QWidget *parent, const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, shown, QMessageBox::Ok, parent);
    box.exec();
}

QString QtDialogs::askFileName(QWidget *parent, const QString &defaultName, FileDialogMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == FileDialogMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Saving appends to an existing file, so choosing one is no overwrite.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(QDir::current());
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace tb
