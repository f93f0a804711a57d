// Soak run of the AIS Monitor: a pseudo-terminal feeds the window message 14 lines that fill their
// pane, then mixed Testbox lines (and now and then a line of noise) as fast as it takes them, for
// N seconds in all; every few seconds the save's dialog stays open for two seconds while the lines
// keep coming. Prints the lines per second, the lines dropped behind the dialog and the resident
// memory at the start, after the warm-up, at its peak and at the end. Fails when the memory grows
// after the warm-up.
//
// Usage: tb_monitor_soak [seconds] [--random]   (default 60)
// With --random the 100th line opens the dialog, which stays up while random bytes come as fast as
// they go; after it the next good line must be shown.
#include "messagebits.h"
#include "mixedlines.h"
#include "monitor/monitorwindow.h"

#include "pty/ptyport.h"
#include "testhost.h"
#include "workdir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

using namespace tb;

namespace {

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM").
long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLong();
    return -1;
}

// The message 14 pane keeps up to 64K characters a box, some 20,000 lines; these fill it, so the
// run after them shows what reception itself keeps.
QList<QByteArray> fillBlock()
{
    std::mt19937 random(3);
    QList<QByteArray> lines;
    for (int i = 0; i < 25000; ++i)
        lines += test::mixedLine(8 + 10 * i, random).toLatin1() + "\r\n";
    return lines;
}

QByteArray feedBlock()
{
    std::mt19937 random(7);
    QByteArray block;
    for (int i = 0; i < 5000; ++i) {
        block += test::mixedLine(i, random).toLatin1() + "\r\n";
        if (i % 97 == 0) // noise as a chattering adapter sends it
            for (int n = 0; n < 300; ++n)
                block += char(random());
    }
    return block;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(10, atoi(argv[1])) : 60;
    const bool randomBytes = argc > 2 && qstrcmp(argv[2], "--random") == 0;
    // Long enough for the message 14 lines to have filled their pane and the first dialog (after
    // 5 s) to have come and gone.
    const qint64 warmUpMs = std::max(15, seconds / 4) * 1000LL;

    test::WorkDir work;
    PtyPort pty;
    QString error;
    if (!pty.open(1, work.dir(), &error))
        qFatal("no pseudo-terminal: %s", qPrintable(error));
    test::TestHost host;
    host.port = QStringLiteral(" 1");

    QElapsedTimer clock;
    qint64 lastBoxClosedMs = 0;
    qint64 boxes = 0;
    qint64 saves = 0;
    bool live = false;
    host.scripted.onAskFileName = [&](const QString &) {
        host.scripted.fileNames.enqueue(work.file(QStringLiteral("AISData.txt")));
        if (!live)
            return;
        ++saves;
        if (clock.elapsed() - lastBoxClosedMs < 5000)
            return;
        if (randomBytes && boxes > 0)
            return;
        ++boxes;
        QEventLoop box;
        // With --random one dialog stays up for all but the last 2 s of the run.
        QTimer::singleShot(randomBytes ? seconds * 1000 - 2000 - clock.elapsed() : 2000, &box, &QEventLoop::quit);
        box.exec();
        lastBoxClosedMs = clock.elapsed();
    };

    auto *window = new MonitorWindow(host);
    window->show();
    const long startKb = statusKb("VmRSS");
    const int firstRow = window->messageStep().historyRow();
    live = true;
    window->findChild<QPushButton *>(QStringLiteral("cmdContinius"))->click();

    std::atomic<bool> stop = false;
    std::atomic<qint64> written = 0;
    clock.start();
    std::atomic<bool> writerDone = false;
    std::thread writer([&] {
        // A few lines at a time, as they come among the mixed lines, so the boxes show (and lay out)
        // them as they will later.
        if (randomBytes) {
            // The 100th line opens the save's dialog; random bytes follow as fast as they go.
            std::mt19937 random(9);
            for (int i = 0; i < 100; ++i)
                pty.write(test::mixedLine(i, random).toLatin1() + "\r\n");
            QByteArray noise(4096, Qt::Uninitialized);
            while (!stop) {
                for (char &c : noise)
                    c = char(random());
                if (!pty.write(noise))
                    break;
                written += noise.size();
            }
            writerDone = true;
            return;
        }
        const QList<QByteArray> fill = fillBlock();
        for (qsizetype i = 0; !stop && i < fill.size(); ++i) {
            if (pty.write(fill[i]))
                written += fill[i].size();
            if (i % 3 == 2)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const QByteArray block = feedBlock();
        for (qsizetype at = 0; !stop; at = (at + 4096) % block.size()) {
            const QByteArray piece = block.mid(at, 4096);
            if (!pty.write(piece))
                break;
            written += piece.size();
        }
        writerDone = true;
    });

    long warmKb = 0;
    long peakAfterWarmUpKb = 0;
    int samples = 0;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] {
        const long rss = statusKb("VmRSS");
        if (++samples % 25 == 0)
            std::printf("  %3lld s: RSS %.1f MB (anonymous %.1f MB), %lld dropped\n", clock.elapsed() / 1000,
                        rss / 1024.0, statusKb("RssAnon") / 1024.0, window->droppedLines());
        if (clock.elapsed() < warmUpMs)
            warmKb = rss;
        else
            peakAfterWarmUpKb = std::max(peakAfterWarmUpKb, rss);
        if (clock.elapsed() >= seconds * 1000LL)
            QCoreApplication::exit(0); // quit() would close the window
    });
    sample.start(200);
    app.exec();
    stop = true;
    while (!writerDone) {
        pty.discardUnread();
        QThread::msleep(5);
    }
    writer.join();

    bool shown = true;
    if (randomBytes) {
        // The next good line after the flood is shown.
        test::MessageBits bits;
        bits.put(0, 6, 1).put(8, 30, 123456789);
        pty.write("\r\n" + test::testboxLine(bits.bytes()).toLatin1() + "\r\n");
        QElapsedTimer wait;
        wait.start();
        const auto &mmsi = window->messageStep().panes().pane(monitor::PaneId::Msg123);
        while (!(shown = mmsi.text(0).startsWith(QStringLiteral("123456789\r\n"))) && wait.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::printf("the next good line after the flood is %s\n", shown ? "shown" : "NOT shown");
    }
    const long endKb = statusKb("VmRSS");
    const qint64 lines = saves * 100 + window->messageStep().historyRow() - firstRow;
    const double elapsed = clock.elapsed() / 1000.0;
    std::printf("soak: %d s, %.1f MB offered, %lld lines processed (%.0f lines/s), %lld dropped; %lld dialogs "
                "were open\n",
                seconds, written / 1e6, lines, lines / elapsed, window->droppedLines(), boxes);
    std::printf("RSS: start %.1f MB, after warm-up (%lld s) %.1f MB, peak after warm-up %.1f MB, end %.1f MB; "
                "peak of the run %.1f MB\n",
                startKb / 1024.0, warmUpMs / 1000, warmKb / 1024.0, peakAfterWarmUpKb / 1024.0, endKb / 1024.0,
                statusKb("VmHWM") / 1024.0);
    delete window;
    // A few megabytes of slack for the allocator; a buffer that grows behind a dialog passes it at once.
    if (!shown)
        return 1;
    if (peakAfterWarmUpKb > warmKb + 8 * 1024) {
        std::printf("FAIL: memory grew after the warm-up\n");
        return 1;
    }
    return 0;
}
