// Replays a generated dump of mixed message types through the monitor's message step, first with
// the decoding core alone, then through the window with its panes (offscreen), and prints the
// cost per line for each tenth of the run: it must not grow with the lines already shown.
//
// Usage: tb_monitor_bench [lines]   (default 100000)
#include "mixedlines.h"
#include "monitor/dumpfile.h"
#include "monitor/messagestep.h"
#include "monitor/monitorwindow.h"
#include "monitor/panewidgets.h"
#include "monitor/savedtext.h"

#include "common/dialogs.h"
#include "common/textfiles.h"
#include "common/toolhost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QQueue>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

using namespace tb;

namespace {

constexpr int parts = 10;

class BenchDialogs final : public Dialogs
{
public:
    void message(QWidget *, const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    QString askFileName(QWidget *, const QString &, const QString &, FileDialogMode mode) override
    {
        return mode == FileDialogMode::Save ? savePath : openPaths.dequeue();
    }
    QString savePath;
    QQueue<QString> openPaths;
};

class BenchHost final : public ToolHost
{
public:
    QString portText() const override { return {}; }
    void showLauncher(bool) override {}
    void clearToolMarker() override {}
    Dialogs &dialogs() override { return dialogsImpl; }
    BenchDialogs dialogsImpl;
};

QStringList writeDumps(const QString &dir, int lines)
{
    std::mt19937 random(20240531);
    QStringList paths;
    const int perPart = lines / parts;
    for (int part = 0; part < parts; ++part) {
        const QString path = dir + QStringLiteral("/part%1.txt").arg(part);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        for (int i = 0; i < perPart; ++i)
            file.write(test::mixedLine(part * perPart + i, random).toLatin1() + "\r\n");
        paths += path;
    }
    return paths;
}

void report(const char *what, const QList<double> &seconds, int perPart)
{
    double total = 0;
    std::printf("%s\n  tenth:  ", what);
    for (double s : seconds) {
        std::printf(" %6.1f", s * 1e6 / perPart);
        total += s;
    }
    const int lines = perPart * int(seconds.size());
    std::printf("  us/line\n  total: %d lines in %.2f s: %.0f lines/s, %.1f us/line; first tenth %.1f, last tenth %.1f us/line\n",
                lines, total, lines / total, total * 1e6 / lines, seconds.first() * 1e6 / perPart,
                seconds.last() * 1e6 / perPart);
}

QList<double> runCore(const QStringList &dumps, const QString &savePath)
{
    monitor::MessageStep step(u'.');
    QList<double> seconds;
    for (const QString &path : dumps) {
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        monitor::DumpLineReader reader(file);
        while (const auto line = reader.next()) {
            if (step.run(*line, monitor::LinePath::DumpFile).saveDue) {
                appendFileLines(savePath, monitor::savedRecords(step.history(), step.historyRow()));
                step.setHistoryRow(0);
            }
        }
        seconds += double(timer.nsecsElapsed()) / 1e9;
    }
    return seconds;
}

// As on a live link, where every line is an event of its own: the boxes are brought up to date
// after each line.
QList<double> runPanesEveryLine(const QStringList &dumps, const QString &savePath)
{
    QWidget window;
    window.resize(834, 734);
    monitor::PaneWidgets widgets(&window);
    window.show();
    QCoreApplication::processEvents();
    monitor::MessageStep step(u'.');
    QList<double> seconds;
    for (const QString &path : dumps) {
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        monitor::DumpLineReader reader(file);
        while (const auto line = reader.next()) {
            const monitor::StepResult result = step.run(*line, monitor::LinePath::DumpFile);
            widgets.apply(result.pane, result.updates, step.panes());
            widgets.refresh();
            if (result.saveDue) {
                appendFileLines(savePath, monitor::savedRecords(step.history(), step.historyRow()));
                step.setHistoryRow(0);
            }
        }
        QCoreApplication::processEvents();
        seconds += double(timer.nsecsElapsed()) / 1e9;
    }
    return seconds;
}

QList<double> runWindow(const QStringList &dumps, const QString &savePath)
{
    BenchHost host;
    host.dialogsImpl.savePath = savePath;
    auto *window = new MonitorWindow(host);
    window->show();
    QCoreApplication::processEvents();
    auto *readFile = window->findChild<QPushButton *>(QStringLiteral("cmdReadFile"));
    QList<double> seconds;
    for (const QString &path : dumps) {
        host.dialogsImpl.openPaths.enqueue(path);
        QElapsedTimer timer;
        timer.start();
        readFile->click();
        QCoreApplication::processEvents(); // let the panes paint what they got
        seconds += double(timer.nsecsElapsed()) / 1e9;
    }
    window->close();
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const int lines = argc > 1 ? std::max(parts, QByteArray(argv[1]).toInt()) : 100000;
    const int perPart = lines / parts;

    QTemporaryDir dir;
    const QStringList dumps = writeDumps(dir.path(), lines);
    std::printf("%d lines of types 1, 2, 3, 18, 4, 11, 5, 14 and 9 in %d dump files\n", perPart * parts, parts);

    report("decoding core (parse, pane texts, save every 100 lines):", runCore(dumps, dir.filePath("core.txt")), perPart);
    report("window with panes, offscreen (Read TB dump file; boxes shown when the replay ends):",
           runWindow(dumps, dir.filePath("window.txt")), perPart);
    report("panes brought up to date after every line, offscreen (the live case):",
           runPanesEveryLine(dumps, dir.filePath("panes.txt")), perPart);
    return 0;
}
