#include "dialogs.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
#include <QStyle>

namespace tb {

namespace {

// Holds back the deferred deletion of the window a box belongs to while the box is open, and
// passes it on once the box has returned, so the code that opened the box finds its window whole.
class DeletionHold final : public QObject
{
public:
    explicit DeletionHold(QWidget *parent)
    {
        if (!parent)
            return;
        m_held += parent;
        if (parent->window() != parent)
            m_held += parent->window();
        for (QWidget *w : std::as_const(m_held))
            w->installEventFilter(this);
    }
    ~DeletionHold() override
    {
        for (const QPointer<QWidget> &w : std::as_const(m_held)) {
            if (!w)
                continue;
            w->removeEventFilter(this);
            if (m_deletionAsked.contains(w.data()))
                w->deleteLater();
        }
    }
    DeletionHold(const DeletionHold &) = delete;
    DeletionHold &operator=(const DeletionHold &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::DeferredDelete)
            return false;
        m_deletionAsked.insert(watched);
        return true;
    }

private:
    QList<QPointer<QWidget>> m_held;
    QSet<QObject *> m_deletionAsked;
};

// The width the window frame needs to show the title whole: the text in the title bar's font and
// room for the frame's icon and buttons, each about a title bar high.
int titleBarWidth(const QWidget *box, const QString &title)
{
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int bar = std::max(box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box), metrics.height());
    return metrics.horizontalAdvance(title) + 4 * bar;
}

} // namespace

void QtDialogs::message(QWidget *parent, const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    DeletionHold hold(parent);
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, applicationTitle, shown, QMessageBox::Ok, parent);
    // A message box sizes itself by its text only; a spacer across its grid keeps it as wide as its title.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout())) {
        grid->addItem(new QSpacerItem(titleBarWidth(box, applicationTitle), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box->exec();
    delete box; // null when its window took it along
}

QString QtDialogs::askFileName(QWidget *parent, const QString &title, const QString &defaultName, FileDialogMode mode)
{
    DeletionHold hold(parent);
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    if (!title.isEmpty())
        dialog->setWindowTitle(title);
    dialog->setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(mode == FileDialogMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Saving appends to an existing file, so choosing one is no overwrite.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setDirectory(QDir::current());
    dialog->selectFile(defaultName);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    QString name;
    if (dialog && accepted && !dialog->selectedFiles().isEmpty())
        name = dialog->selectedFiles().constFirst();
    delete dialog;
    return name;
}

} // namespace tb
