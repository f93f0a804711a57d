#include "trafficlog.h"

namespace tb {

namespace {

TrafficLog *currentLog = nullptr;

} // namespace

bool TrafficLog::open(const QString &path)
{
    m_file.close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void TrafficLog::write(int port, TrafficDirection direction, const QByteArray &bytes)
{
    if (!m_file.isOpen())
        return;
    // A record that can no longer be written (full disk) must not stop the bench: it is dropped.
    m_file.write(line(QDateTime::currentDateTime(), port, direction, bytes) + "\r\n");
    m_file.flush();
}

void TrafficLog::writeNote(const QByteArray &text)
{
    if (!m_file.isOpen())
        return;
    m_file.write(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")).toLatin1() + " NET "
                 + text + "\r\n");
    m_file.flush();
}

QByteArray TrafficLog::line(const QDateTime &time, int port, TrafficDirection direction, const QByteArray &bytes)
{
    QByteArray text = time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")).toLatin1();
    text += ' ' + QByteArray::number(port);
    text += direction == TrafficDirection::Sent ? " TX" : " RX";
    if (!bytes.isEmpty())
        text += ' ' + bytes.toHex(' ').toUpper();
    return text;
}

TrafficLog *TrafficLog::current()
{
    return currentLog;
}

void TrafficLog::setCurrent(TrafficLog *log)
{
    currentLog = log;
}

void LinkRecorder::begin(int port)
{
    end();
    m_port = port;
}

void LinkRecorder::sent(const QByteArray &frame)
{
    if (!frame.isEmpty())
        record(TrafficDirection::Sent, frame);
}

void LinkRecorder::received(const QByteArray &bytes)
{
    if (!TrafficLog::current() || bytes.isEmpty())
        return;
    m_pending += bytes;
    qsizetype start = 0;
    for (qsizetype end; (end = m_pending.indexOf("\r\n", start)) >= 0; start = end + 2)
        record(TrafficDirection::Received, m_pending.sliced(start, end + 2 - start));
    m_pending.remove(0, start);
    // Keep a lone CR back: its LF may come with the next read.
    const qsizetype keep = m_pending.endsWith('\r') ? 1 : 0;
    if (m_pending.size() - keep >= maxPending) {
        record(TrafficDirection::Received, m_pending.chopped(keep));
        m_pending.remove(0, m_pending.size() - keep);
    }
}

void LinkRecorder::end()
{
    if (!m_pending.isEmpty())
        record(TrafficDirection::Received, m_pending);
    m_pending.clear();
}

void LinkRecorder::record(TrafficDirection direction, const QByteArray &bytes)
{
    if (TrafficLog *log = TrafficLog::current())
        log->write(m_port, direction, bytes);
}

} // namespace tb
