// Message boxes and file dialogs go through this one interface: windows get it from their host,
// tests hand in a scripted one that records the texts and chooses the file names.
#pragma once

#include <QString>

class QWidget;

namespace tb {

enum class FileDialogMode { Open, Save };

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A modal message with title "Torvanik TB", an OK button only and no icon.
    // A lone CR in the text is a line break, as the texts have always been written.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The chosen file name, or an empty text when the user cancels. An empty title leaves the
    // dialog's own ("Open", "Save As"); a title says why the user is asked.
    virtual QString askFileName(QWidget *parent, const QString &title, const QString &defaultName,
                                FileDialogMode mode) = 0;
};

// The real dialogs, on QMessageBox and QFileDialog. A box may outlive its window: when the window
// is deleted while the box is open, the box goes with it and the call returns as if cancelled;
// a deferred deletion of the window (deleteLater, a close that deletes) waits until the call returns.
class QtDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text) override;
    QString askFileName(QWidget *parent, const QString &title, const QString &defaultName,
                        FileDialogMode mode) override;
};

inline const QString applicationTitle = QStringLiteral("Torvanik TB");

} // namespace tb
