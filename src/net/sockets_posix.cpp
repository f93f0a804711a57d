// Sockets on Linux and other POSIX systems.
#include "sockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tb::net {

namespace {

QString errorText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

bool makeNonBlocking(int fd)
{
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 && fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

const sockaddr *address(const SocketAddress &a)
{
    return reinterpret_cast<const sockaddr *>(a.raw.constData());
}

SocketHandle failed(int fd, QString &error)
{
    error = errorText(errno);
    if (fd >= 0)
        ::close(fd);
    return noSocket;
}

} // namespace

bool startSockets(QString &)
{
    return true;
}

std::optional<SocketAddress> resolve(const QByteArray &host, quint16 port, bool datagram, QString &error)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = datagram ? SOCK_DGRAM : SOCK_STREAM;
    addrinfo *found = nullptr;
    const QByteArray service = QByteArray::number(port);
    const int result = getaddrinfo(host.constData(), service.constData(), &hints, &found);
    if (result != 0 || !found) {
        error = QString::fromLocal8Bit(gai_strerror(result));
        return std::nullopt;
    }
    SocketAddress a {QByteArray(reinterpret_cast<const char *>(found->ai_addr), qsizetype(found->ai_addrlen))};
    freeaddrinfo(found);
    return a;
}

SocketHandle openDatagramSender(const SocketAddress &to, QString &error)
{
    const int fd = ::socket(address(to)->sa_family, SOCK_DGRAM, 0);
    if (fd < 0 || !makeNonBlocking(fd) || ::connect(fd, address(to), socklen_t(to.raw.size())) != 0)
        return failed(fd, error);
    return fd;
}

SocketHandle openListener(const SocketAddress &at, QString &error)
{
    const int fd = ::socket(address(at)->sa_family, SOCK_STREAM, 0);
    const int on = 1;
    if (fd < 0 || !makeNonBlocking(fd) || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0
        || ::bind(fd, address(at), socklen_t(at.raw.size())) != 0 || ::listen(fd, 8) != 0)
        return failed(fd, error);
    return fd;
}

SocketHandle acceptConnection(SocketHandle listener, int sendBuffer, QString &peer)
{
    sockaddr_storage from {};
    socklen_t length = sizeof from;
    const int fd = ::accept(int(listener), reinterpret_cast<sockaddr *>(&from), &length);
    if (fd < 0)
        return noSocket;
    if (!makeNonBlocking(fd)) {
        ::close(fd);
        return noSocket;
    }
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);
    char host[INET6_ADDRSTRLEN] = {};
    quint16 port = 0;
    if (from.ss_family == AF_INET6) {
        const auto *a = reinterpret_cast<const sockaddr_in6 *>(&from);
        inet_ntop(AF_INET6, &a->sin6_addr, host, sizeof host);
        port = ntohs(a->sin6_port);
        peer = QStringLiteral("[%1]:%2").arg(QString::fromLatin1(host)).arg(port);
    } else {
        const auto *a = reinterpret_cast<const sockaddr_in *>(&from);
        inet_ntop(AF_INET, &a->sin_addr, host, sizeof host);
        port = ntohs(a->sin_port);
        peer = QStringLiteral("%1:%2").arg(QString::fromLatin1(host)).arg(port);
    }
    return fd;
}

qint64 sendSome(SocketHandle socket, const char *data, qint64 size)
{
    // A client gone away must not end the tool with SIGPIPE.
    const ssize_t sent = ::send(int(socket), data, size_t(size), MSG_NOSIGNAL);
    if (sent >= 0)
        return sent;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? wouldBlock : socketFailed;
}

qint64 receiveSome(SocketHandle socket, char *data, qint64 size)
{
    const ssize_t got = ::recv(int(socket), data, size_t(size), 0);
    if (got >= 0)
        return got;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? wouldBlock : socketFailed;
}

void closeSocket(SocketHandle socket)
{
    if (socket != noSocket)
        ::close(int(socket));
}

quint16 localPort(SocketHandle socket)
{
    sockaddr_storage at {};
    socklen_t length = sizeof at;
    if (getsockname(int(socket), reinterpret_cast<sockaddr *>(&at), &length) != 0)
        return 0;
    if (at.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6 *>(&at)->sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in *>(&at)->sin_port);
}

} // namespace tb::net
