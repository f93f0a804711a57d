// Sockets on Windows (Winsock 2).
#include "sockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace tb::net {

namespace {

QString errorText(int code)
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   DWORD(code), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    const QString message = text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("error %1").arg(code);
    LocalFree(text);
    return message;
}

bool makeNonBlocking(SOCKET s)
{
    u_long on = 1;
    return ioctlsocket(s, FIONBIO, &on) == 0;
}

const sockaddr *address(const SocketAddress &a)
{
    return reinterpret_cast<const sockaddr *>(a.raw.constData());
}

SocketHandle failed(SOCKET s, QString &error)
{
    error = errorText(WSAGetLastError());
    if (s != INVALID_SOCKET)
        closesocket(s);
    return noSocket;
}

SocketHandle handle(SOCKET s)
{
    return s == INVALID_SOCKET ? noSocket : SocketHandle(s);
}

} // namespace

bool startSockets(QString &error)
{
    static const int result = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data);
    }();
    if (result != 0)
        error = errorText(result);
    return result == 0;
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
        error = errorText(result);
        return std::nullopt;
    }
    SocketAddress a {QByteArray(reinterpret_cast<const char *>(found->ai_addr), qsizetype(found->ai_addrlen))};
    freeaddrinfo(found);
    return a;
}

SocketHandle openDatagramSender(const SocketAddress &to, QString &error)
{
    const SOCKET s = ::socket(address(to)->sa_family, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET || !makeNonBlocking(s) || ::connect(s, address(to), int(to.raw.size())) != 0)
        return failed(s, error);
    return handle(s);
}

SocketHandle openListener(const SocketAddress &at, QString &error)
{
    const SOCKET s = ::socket(address(at)->sa_family, SOCK_STREAM, 0);
    // Without it Windows lets a second listener share the port, and a port in use goes unseen.
    const BOOL on = TRUE;
    if (s == INVALID_SOCKET || !makeNonBlocking(s)
        || setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char *>(&on), sizeof on) != 0
        || ::bind(s, address(at), int(at.raw.size())) != 0 || ::listen(s, 8) != 0)
        return failed(s, error);
    return handle(s);
}

SocketHandle acceptConnection(SocketHandle listener, int sendBuffer, QString &peer)
{
    sockaddr_storage from {};
    int length = sizeof from;
    const SOCKET s = ::accept(SOCKET(listener), reinterpret_cast<sockaddr *>(&from), &length);
    if (s == INVALID_SOCKET)
        return noSocket;
    if (!makeNonBlocking(s)) {
        closesocket(s);
        return noSocket;
    }
    setsockopt(s, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char *>(&sendBuffer), sizeof sendBuffer);
    char host[INET6_ADDRSTRLEN] = {};
    if (from.ss_family == AF_INET6) {
        const auto *a = reinterpret_cast<const sockaddr_in6 *>(&from);
        inet_ntop(AF_INET6, &a->sin6_addr, host, sizeof host);
        peer = QStringLiteral("[%1]:%2").arg(QString::fromLatin1(host)).arg(ntohs(a->sin6_port));
    } else {
        const auto *a = reinterpret_cast<const sockaddr_in *>(&from);
        inet_ntop(AF_INET, &a->sin_addr, host, sizeof host);
        peer = QStringLiteral("%1:%2").arg(QString::fromLatin1(host)).arg(ntohs(a->sin_port));
    }
    return handle(s);
}

qint64 sendSome(SocketHandle socket, const char *data, qint64 size)
{
    const int sent = ::send(SOCKET(socket), data, int(qMin<qint64>(size, 1 << 30)), 0);
    if (sent != SOCKET_ERROR)
        return sent;
    return WSAGetLastError() == WSAEWOULDBLOCK ? wouldBlock : socketFailed;
}

qint64 receiveSome(SocketHandle socket, char *data, qint64 size)
{
    const int got = ::recv(SOCKET(socket), data, int(qMin<qint64>(size, 1 << 30)), 0);
    if (got != SOCKET_ERROR)
        return got;
    return WSAGetLastError() == WSAEWOULDBLOCK ? wouldBlock : socketFailed;
}

void closeSocket(SocketHandle socket)
{
    if (socket != noSocket)
        closesocket(SOCKET(socket));
}

quint16 localPort(SocketHandle socket)
{
    sockaddr_storage at {};
    int length = sizeof at;
    if (getsockname(SOCKET(socket), reinterpret_cast<sockaddr *>(&at), &length) != 0)
        return 0;
    if (at.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6 *>(&at)->sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in *>(&at)->sin_port);
}

} // namespace tb::net
