#include "ptyport.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tb {

PtyPort::~PtyPort()
{
    close();
}

int PtyPort::firstFreePort(const QDir &dir, int from)
{
    for (int n = std::max(from, 1); n <= 25; ++n) {
        const QFileInfo entry(dir.absoluteFilePath(QStringLiteral("COM%1").arg(n)));
        if (!entry.exists() && !entry.isSymLink())
            return n;
    }
    return 0;
}

bool PtyPort::open(int port, const QDir &dir, QString *error)
{
    close();
    // Raw from the start: bytes written before the tool opens its side must not be cooked.
    termios raw {};
    cfmakeraw(&raw);
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        m_master = m_slave = -1;
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // A program the test starts must not inherit the pair: closing it would then unplug nothing.
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    const QString alias = dir.absoluteFilePath(QStringLiteral("COM%1").arg(port));
    QFile::remove(alias);
    if (!QFile::link(m_slavePath, alias)) {
        if (error)
            *error = QStringLiteral("cannot make the alias %1").arg(alias);
        close();
        return false;
    }
    m_aliasPath = alias;
    return true;
}

QByteArray PtyPort::read(int timeoutMs)
{
    QByteArray out;
    if (m_master < 0)
        return out;
    pollfd p {m_master, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, n);
    }
    return out;
}

QByteArray PtyPort::readExactly(int count, int timeoutMs)
{
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    while (out.size() < count && timer.elapsed() < timeoutMs)
        out += read(int(qMax<qint64>(1, timeoutMs - timer.elapsed())));
    return out;
}

bool PtyPort::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p {m_master, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else {
            return false;
        }
    }
    return done == bytes.size();
}

qsizetype PtyPort::unreadBySlave() const
{
    int count = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &count) != 0)
        return 0;
    return count;
}

void PtyPort::discardUnread()
{
    if (m_slave >= 0)
        ::tcflush(m_slave, TCIFLUSH);
}

void PtyPort::close()
{
    if (!m_aliasPath.isEmpty()) {
        QFile::remove(m_aliasPath);
        m_aliasPath.clear();
    }
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_master = m_slave = -1;
}

} // namespace tb
