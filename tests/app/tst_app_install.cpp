// The tool as a technician gets it: installed into a fresh prefix, the installed program started
// with no display, and the desktop entry checked by the desktop's own validator.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs a program to its end; its output when it ended with exit code 0, the reason otherwise.
bool runToEnd(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    *output = QString::fromLocal8Bit(process.readAll());
    if (!finished)
        *output += QStringLiteral("\n(did not finish: %1)").arg(process.errorString());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        QString output;
        QVERIFY2(runToEnd(QStringLiteral(TB_CMAKE_COMMAND),
                          {QStringLiteral("--install"), QStringLiteral(TB_BUILD_DIR), QStringLiteral("--prefix"), m_prefix.path()},
                          &output),
                 qPrintable(output));
    }

    void filesInTheirPlaces_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("executable");
        QTest::newRow("launcher") << "bin/torvanik-testbox" << true;
        QTest::newRow("simulator") << "bin/testbox-sim" << true;
        QTest::newRow("decoder") << "bin/testbox-decode" << true;
        QTest::newRow("script runner") << "bin/testbox-run" << true;
        QTest::newRow("desktop entry") << "share/applications/torvanik-testbox.desktop" << false;
        QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/torvanik-testbox.svg" << false;
        QTest::newRow("sample dump") << "share/torvanik-testbox/aisout.txt" << false;
    }
    void filesInTheirPlaces()
    {
        QFETCH(QString, file);
        QFETCH(bool, executable);
        const QFileInfo info(m_prefix.filePath(file));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
        QCOMPARE(info.isExecutable(), executable);
    }

    void installedProgramStartsHeadless()
    {
        QTemporaryDir work;
        QProcess app;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        app.setProcessEnvironment(environment);
        app.setWorkingDirectory(work.path());
        app.setProcessChannelMode(QProcess::MergedChannels);
        app.start(m_prefix.filePath(QStringLiteral("bin/torvanik-testbox")), {});
        QVERIFY2(app.waitForStarted(10000), qPrintable(app.errorString()));
        // It runs until its window closes: still running after a second means it came up without
        // crashing.
        QTest::qWait(1000);
        const bool running = app.state() == QProcess::Running;
        if (running) {
            app.kill();
            app.waitForFinished(10000);
        }
        QVERIFY2(running, qPrintable(QStringLiteral("ended with exit code %1: %2")
                                         .arg(app.exitCode())
                                         .arg(QString::fromLocal8Bit(app.readAll()))));
    }

    // Without a display too: the usage comes before the program looks for one.
    void programsShowTheirUsage_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::newRow("simulator") << "bin/testbox-sim" << "--loop";
        QTest::newRow("launcher") << "bin/torvanik-testbox" << "--log <FILE>";
        QTest::newRow("script runner") << "bin/testbox-run" << "--junit <FILE>";
    }
    void programsShowTheirUsage()
    {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QString output;
        QVERIFY2(runToEnd(m_prefix.filePath(program), {QStringLiteral("--help")}, &output), qPrintable(output));
        QVERIFY2(output.contains(option), qPrintable(output));
    }

    // Decodes on a machine without a display: a line through the installed program.
    void decoderRunsInstalled()
    {
        QProcess decoder;
        decoder.start(m_prefix.filePath(QStringLiteral("bin/testbox-decode")), {QStringLiteral("--format"), QStringLiteral("json")});
        QVERIFY2(decoder.waitForStarted(10000), qPrintable(decoder.errorString()));
        decoder.write("$AITB04  1D 6F 34 54 20 06 68 2D 67 81 20 A4 EF 13 89 2D 3C 00 00 00 *5A\r\n");
        decoder.closeWriteChannel();
        QVERIFY(decoder.waitForFinished(10000));
        QCOMPARE(decoder.exitCode(), 0);
        QVERIFY2(decoder.readAllStandardOutput().startsWith("{\"mmsi\":\"123456789\",\"msgId\":\"1\""),
                 qPrintable(decoder.readAllStandardError()));
    }

    void desktopEntryValidates()
    {
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
        QString output;
        QVERIFY2(runToEnd(validator, {m_prefix.filePath(QStringLiteral("share/applications/torvanik-testbox.desktop"))}, &output),
                 qPrintable(output));
        // The validator reports hints on success too; an entry without any is what is shipped.
        QVERIFY2(output.trimmed().isEmpty(), qPrintable(output));
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_app_install.moc"
