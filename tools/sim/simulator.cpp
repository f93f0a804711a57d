#include "simulator.h"

#include "demomessages.h"
#include "framedescription.h"
#include "testboxline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace tb::sim {

namespace {

// While a line goes out the port is written at most this often, a few bytes at a time.
constexpr qint64 sendTickMs = 10;

} // namespace

Simulator::Simulator(const Options &options, Printer print, QObject *parent)
    : QObject(parent),
      m_options(options),
      m_print(std::move(print)),
      m_sender(options.intervalMs, 0),
      m_unread(0)
{
    m_clock.start();
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setTimerType(Qt::PreciseTimer);
    m_sendTimer.setSingleShot(true);
    m_sendTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_quietTimer, &QTimer::timeout, this, &Simulator::endQuietFrames);
    connect(&m_sendTimer, &QTimer::timeout, this, &Simulator::sendDue);
    m_plugTimer.setSingleShot(true);
    m_plugTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5 % early
    connect(&m_plugTimer, &QTimer::timeout, this, [this] {
        QString error;
        if (!plugIn(&error))
            emit failed(error);
    });
}

Simulator::~Simulator()
{
    stop();
}

bool Simulator::start(QString *error)
{
    if (!loadLines(error) || !openDump(error))
        return false;
    if (m_options.plugAfterMs > 0) {
        m_print(QStringLiteral("Testbox simulator: the alias appears in %1 s").arg(m_options.plugAfterMs / 1000.0));
        m_plugTimer.start(m_options.plugAfterMs);
        return true;
    }
    return plugIn(error);
}

bool Simulator::plugIn(QString *error)
{
    const QDir here = QDir::current();
    // The tool numbers the system's serial ports 1, 2, 3 …: start above them so none is hidden.
    const qsizetype systemPorts = QSerialPortInfo::availablePorts().size();
    m_port = m_options.port ? m_options.port : PtyPort::firstFreePort(here, int(std::min<qsizetype>(systemPorts, 25)) + 1);
    if (m_port == 0) {
        *error = QStringLiteral("No port number from 1 to 25 is free: %1 are the system's serial ports, the rest have "
                                "a COMn entry in %2.")
                     .arg(systemPorts)
                     .arg(here.path());
        return false;
    }
    const QString aliasName = QStringLiteral("COM%1").arg(m_port);
    const QFileInfo entry(here.absoluteFilePath(aliasName));
    // A dangling link is what a killed simulator leaves behind; anything else may be in use.
    if (entry.exists()) {
        *error = QStringLiteral("%1 already exists in %2: choose another --port or remove it.")
                     .arg(aliasName, here.path());
        return false;
    }
    if (!m_pty.open(m_port, here, error))
        return false;
    m_readable = new QSocketNotifier(m_pty.masterFd(), QSocketNotifier::Read, this);
    connect(m_readable, &QSocketNotifier::activated, this, &Simulator::readPort);
    m_print(QStringLiteral("Testbox simulator on port %1: %2 -> %3")
                .arg(m_port)
                .arg(m_pty.aliasPath(), m_pty.slavePath()));
    // Lines start one interval after the plug-in, as after a start without delay.
    m_sender = LineSender(m_options.intervalMs, now());
    m_sender.setPlan(m_lines, m_options.repeat);
    m_unread = UnreadWatch(now());
    scheduleSend();
    return true;
}

void Simulator::stop()
{
    m_plugTimer.stop();
    if (!m_pty.isOpen())
        return;
    delete m_readable;
    m_readable = nullptr;
    m_quietTimer.stop();
    m_sendTimer.stop();
    handle(m_decoder.expire(std::numeric_limits<qint64>::max()));
    m_pty.close();
    m_print(QStringLiteral("Stopped, COM%1 removed").arg(m_port));
}

bool Simulator::loadLines(QString *error)
{
    QList<QByteArray> lines;
    if (!m_options.sendFile.isEmpty()) {
        QFile file(m_options.sendFile);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Cannot read %1: %2").arg(m_options.sendFile, file.errorString());
            return false;
        }
        const auto read = readSendFile(file.readAll());
        if (const auto *bad = std::get_if<SendFileError>(&read)) {
            *error = QStringLiteral("%1:%2: %3")
                         .arg(m_options.sendFile)
                         .arg(bad->line)
                         .arg(bad->reason.isEmpty() ? QStringLiteral("neither a Testbox line nor hexadecimal message bytes")
                                                    : bad->reason);
            return false;
        }
        lines += std::get<QList<QByteArray>>(read);
    }
    if (m_options.demo) {
        for (const QByteArray &message : demoMessageBytes())
            lines += testboxLine(message);
    }
    m_lines = lines;
    return true;
}

bool Simulator::openDump(QString *error)
{
    if (m_options.dumpFile.isEmpty())
        return true;
    m_dump.setFileName(m_options.dumpFile);
    if (!m_dump.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = QStringLiteral("Cannot write %1: %2").arg(m_options.dumpFile, m_dump.errorString());
        return false;
    }
    return true;
}

void Simulator::readPort()
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_pty.masterFd(), buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            // The simulator holds the slave open itself, so this is not a tool going away.
            m_print(QStringLiteral("Reading the port failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            m_readable->setEnabled(false);
        }
        break;
    }
    handle(m_decoder.feed(bytes, now()));
    scheduleQuiet();
}

void Simulator::endQuietFrames()
{
    handle(m_decoder.expire(now()));
    scheduleQuiet();
}

void Simulator::handle(const QList<Frame> &frames)
{
    for (const Frame &frame : frames) {
        m_print(describeFrame(frame));
        const auto echo = m_options.loop ? loopLine(frame) : std::nullopt;
        if (echo) {
            m_sender.enqueue(*echo);
            if (!m_sender.busy())
                scheduleSend();
        }
    }
}

void Simulator::sendDue()
{
    const qint64 t = now();
    const LineSender::Chunk chunk = m_sender.due(t);
    m_unread.observe(m_pty.unreadBySlave(), t);
    if (chunk.startsLine && m_unread.stale(t)) {
        if (m_options.verbose)
            m_print(QStringLiteral("Dropped %1 unread bytes: nobody holds the port open").arg(m_pty.unreadBySlave()));
        m_pty.discardUnread();
        m_unread.observe(0, t);
    }
    qsizetype written = 0;
    while (written < chunk.bytes.size()) {
        const ssize_t n = ::write(m_pty.masterFd(), chunk.bytes.constData() + written, size_t(chunk.bytes.size() - written));
        if (n > 0)
            written += n;
        else if (!(n < 0 && errno == EINTR))
            break; // full: the rest waits for the next tick
    }
    if (const auto line = m_sender.written(written, t)) {
        if (m_options.verbose)
            m_print(QStringLiteral("Sent %1").arg(QString::fromLatin1(line->trimmed())));
        if (m_dump.isOpen()) {
            m_dump.write(line->trimmed() + "\r\n");
            m_dump.flush();
        }
    }
    scheduleSend();
}

void Simulator::scheduleQuiet()
{
    if (const auto deadline = m_decoder.deadline())
        m_quietTimer.start(int(std::max<qint64>(0, *deadline - now())));
    else
        m_quietTimer.stop();
}

void Simulator::scheduleSend()
{
    const auto wake = m_sender.nextWake();
    if (!wake) {
        m_sendTimer.stop();
        return;
    }
    qint64 delay = std::max<qint64>(0, *wake - now());
    if (m_sender.busy())
        delay = std::max(delay, sendTickMs);
    m_sendTimer.start(int(std::min<qint64>(delay, std::numeric_limits<int>::max())));
}

} // namespace tb::sim
