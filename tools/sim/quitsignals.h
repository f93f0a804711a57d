// Turns SIGINT, SIGTERM and SIGHUP into an orderly quit of the event loop, so that the simulator
// ends through its destructors and removes its alias. The signals are blocked and read from a
// signalfd; create this before any thread starts, so that every thread inherits the block.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tb::sim {

class QuitSignals : public QObject
{
    Q_OBJECT
public:
    QuitSignals();
    ~QuitSignals() override;
    // Watches the signals from now on (needs the application object).
    bool watch();

signals:
    void received(int signal);

private:
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tb::sim
