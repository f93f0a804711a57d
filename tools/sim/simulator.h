// The simulator at run time: the pseudo-terminal and its alias, reading frames as they arrive,
// sending lines on their schedule and printing what happens. Idle, it waits on the port and its
// timers alone.
#pragma once

#include "framedecoder.h"
#include "linesender.h"
#include "options.h"
#include "pty/ptyport.h"
#include "unreadwatch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTimer>

#include <functional>

class QSocketNotifier;

namespace tb::sim {

class Simulator : public QObject
{
    Q_OBJECT
public:
    using Printer = std::function<void(const QString &)>;

    Simulator(const Options &options, Printer print, QObject *parent = nullptr);
    ~Simulator() override;

    // Loads the lines to send, opens the port and its alias in the working directory (at once, or
    // after the plug-in delay) and says which. False with the reason when any of that fails.
    bool start(QString *error);
    // Closes the port and removes the alias.
    void stop();

signals:
    // Plugging in after the delay failed; the simulator has nothing left to do.
    void failed(const QString &error);

private:
    bool loadLines(QString *error);
    bool openDump(QString *error);
    bool plugIn(QString *error);
    void readPort();
    void endQuietFrames();
    void handle(const QList<Frame> &frames);
    void sendDue();
    void scheduleQuiet();
    void scheduleSend();
    qint64 now() const { return m_clock.elapsed(); }

    Options m_options;
    Printer m_print;
    QElapsedTimer m_clock;
    PtyPort m_pty;
    int m_port = 0;
    QSocketNotifier *m_readable = nullptr;
    QTimer m_quietTimer;
    QTimer m_sendTimer;
    QTimer m_plugTimer;
    QList<QByteArray> m_lines;
    QFile m_dump;
    FrameDecoder m_decoder;
    LineSender m_sender;
    UnreadWatch m_unread;
};

} // namespace tb::sim
