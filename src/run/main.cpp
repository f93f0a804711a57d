// testbox-run: bench scripts against a Testbox, for the bench and for CI.
#include "link/trafficlog.h"
#include "run/junitreport.h"
#include "run/runner.h"
#include "run/runoptions.h"
#include "run/script.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("testbox-run"));
    QFile errors;
    errors.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QFile output;
    output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);

    const auto parsed = tb::run::parseOptions(QCoreApplication::arguments());
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        errors.write(QStringLiteral("testbox-run: %1\nTry 'testbox-run --help'.\n").arg(*problem).toLocal8Bit());
        return 2;
    }
    const tb::run::Options &options = std::get<tb::run::Options>(parsed);
    if (options.help) {
        output.write(tb::run::usageText().toUtf8());
        return 0;
    }
    if (options.version) {
        output.write(tb::run::versionText().toUtf8());
        return 0;
    }

    // Every script is read before anything is sent: one mistake anywhere and nothing goes out.
    QList<tb::run::Script> scripts;
    bool readable = true;
    for (const QString &path : options.scripts) {
        auto read = tb::run::readScriptFile(path);
        if (auto *problems = std::get_if<QList<tb::run::ScriptError>>(&read)) {
            for (const tb::run::ScriptError &e : *problems)
                errors.write((e.line > 0 ? QStringLiteral("%1:%2: %3\n").arg(path).arg(e.line).arg(e.message)
                                         : QStringLiteral("%1: %2\n").arg(path, e.message))
                                 .toLocal8Bit());
            readable = false;
            continue;
        }
        tb::run::Script &script = std::get<tb::run::Script>(read);
        if (!script.port && !options.port) {
            errors.write(QStringLiteral("%1:1: no port: add a \"port N\" step or give --port\n").arg(path).toLocal8Bit());
            readable = false;
        }
        scripts += std::move(script);
    }
    if (!readable)
        return 2;

    tb::TrafficLog log;
    if (!options.logFile.isEmpty()) {
        if (!log.open(options.logFile)) {
            errors.write(QStringLiteral("testbox-run: Problem opening %1 (%2)\n").arg(options.logFile, log.errorString()).toLocal8Bit());
            return 2;
        }
        tb::TrafficLog::setCurrent(&log);
    }
    tb::run::JUnitReport junit;
    if (!options.junitFile.isEmpty()) {
        QString problem;
        if (!junit.open(options.junitFile, &problem)) {
            errors.write(QStringLiteral("testbox-run: %1\n").arg(problem).toLocal8Bit());
            return 2;
        }
    }

    tb::run::Runner runner(scripts, options.port, output, errors);
    if (junit.isOpen())
        runner.setJUnit(&junit);
    runner.setLogName(options.logFile);
    QObject::connect(&runner, &tb::run::Runner::finished, &app, &QCoreApplication::exit, Qt::QueuedConnection);
    runner.start();
    const int status = app.exec();
    tb::TrafficLog::setCurrent(nullptr);
    return status;
}
