// The traffic record (`--log FILE`): every frame a tool writes and every line the monitor takes
// from the port, one line each, appended to one file and flushed at once, so that it still holds
// what happened after a crash or a pulled plug. Without a record nothing is written.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

namespace tb {

enum class TrafficDirection { Sent, Received };

class TrafficLog
{
public:
    // Opens `path` for appending, creating it when needed. False when it can't (see errorString()).
    bool open(const QString &path);
    QString errorString() const { return m_file.errorString(); }

    void write(int port, TrafficDirection direction, const QByteArray &bytes);
    // A line of its own about the tool, not the port: the time, "NET" and `text`.
    void writeNote(const QByteArray &text);

    // "2026-12-10T10:32:07.114 3 TX C8 04 1D": local time, the port number, the direction, the
    // bytes in upper-case hex pairs. Without the line end.
    static QByteArray line(const QDateTime &time, int port, TrafficDirection direction, const QByteArray &bytes);

    // The record the links write to; null when there is none.
    static TrafficLog *current();
    static void setCurrent(TrafficLog *log);

private:
    QFile m_file;
};

// One link's share of the record: frames as they are written, received bytes cut into lines after
// each CR LF. What has no line end yet goes out as a line of its own when the link ends.
class LinkRecorder
{
public:
    // Past this many bytes without a line end the pending bytes are recorded as they stand, so a
    // port that never sends CR LF neither grows memory nor loses its bytes.
    static constexpr qsizetype maxPending = 4096;

    void begin(int port);
    void sent(const QByteArray &frame);
    void received(const QByteArray &bytes);
    void end();

private:
    void record(TrafficDirection direction, const QByteArray &bytes);

    int m_port = 0;
    QByteArray m_pending;
};

} // namespace tb
