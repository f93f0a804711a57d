#include "quitsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tb::sim {

namespace {

sigset_t quitSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

QuitSignals::QuitSignals()
{
    const sigset_t set = quitSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    // A closed output pipe must not kill the simulator before it removes its alias.
    std::signal(SIGPIPE, SIG_IGN);
}

QuitSignals::~QuitSignals()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

bool QuitSignals::watch()
{
    const sigset_t set = quitSet();
    m_fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0)
        return false;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        signalfd_siginfo info {};
        while (::read(m_fd, &info, sizeof info) == ssize_t(sizeof info))
            emit received(int(info.ssi_signo));
    });
    return true;
}

} // namespace tb::sim
