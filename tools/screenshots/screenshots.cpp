// Renders the tool's windows to PNG files for the README: screenshots <folder>.
// Runs headless (QT_QPA_PLATFORM=offscreen) in a scratch working directory, with a pseudo-terminal
// as port 1 so the windows show as they do on a bench.
#include "app/application.h"
#include "pty/ptyport.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

class SilentDialogs final : public tb::Dialogs
{
public:
    void message(QWidget *, const QString &) override {}
    QString askFileName(QWidget *, const QString &, const QString &, tb::FileDialogMode) override { return {}; }
};

QWidget *window(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

bool save(const QString &folder, const QString &windowName, const QString &file)
{
    QWidget *w = window(windowName);
    if (!w)
        return false;
    QApplication::processEvents();
    return w->grab().save(QDir(folder).filePath(file));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QTextStream err(stderr);
    if (argc < 2) {
        err << "usage: screenshots <folder>\n";
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);

    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    tb::PtyPort testbox;
    testbox.open(1, QDir::current());

    QWidget *launcher = tb::openLauncher(std::make_unique<SilentDialogs>());
    bool ok = save(folder, QStringLiteral("frmDSCStartup"), QStringLiteral("launcher.png"));

    // Each tool the launcher can open, by its button.
    const QList<QPair<QString, QString>> tools = {
        {QStringLiteral("cmdNMEA"), QStringLiteral("frmComposeNMEA")},
        {QStringLiteral("cmdAIS"), QStringLiteral("frmComposeAis")},
        {QStringLiteral("cmdDSC"), QStringLiteral("frmDSCCompose2")},
        {QStringLiteral("cmdAISREC"), QStringLiteral("frmAISDebug")},
        {QStringLiteral("cmdMSG5"), QStringLiteral("frmComposeAis5")},
        {QStringLiteral("cmdMSG15"), QStringLiteral("frmComposeAis15")},
    };
    for (const auto &[button, name] : tools) {
        auto *b = launcher->findChild<QPushButton *>(button);
        if (!b)
            continue;
        b->setEnabled(true); // the hidden message 15 button too, for its picture
        b->click();
        if (window(name))
            ok = save(folder, name, name + QStringLiteral(".png")) && ok;
    }
    delete launcher;
    return ok ? 0 : 1;
}
