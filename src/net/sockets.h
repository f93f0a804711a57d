// The few socket calls the sentence output needs, the same on every system: non-blocking sockets
// only, so that a send or an accept never waits. Their notifications come from QSocketNotifier.
// sockets_posix.cpp and sockets_windows.cpp hold the system's own calls.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace tb::net {

using SocketHandle = qintptr;
inline constexpr SocketHandle noSocket = -1;

// A resolved address as the system keeps it (a sockaddr and its length).
struct SocketAddress
{
    QByteArray raw;
};

// Readies the system's sockets once (Winsock); false with the reason when it can't.
bool startSockets(QString &error);

// The address of `host` (a name or a numeric address) and `port`, the first the system gives.
std::optional<SocketAddress> resolve(const QByteArray &host, quint16 port, bool datagram, QString &error);

// A UDP socket that sends to `to`.
SocketHandle openDatagramSender(const SocketAddress &to, QString &error);
// A TCP socket listening on `at`.
SocketHandle openListener(const SocketAddress &at, QString &error);
// The next waiting connection, non-blocking, its send buffer at most `sendBuffer` bytes;
// noSocket when none waits. `peer` gets its address as text.
SocketHandle acceptConnection(SocketHandle listener, int sendBuffer, QString &peer);

inline constexpr qint64 wouldBlock = -1;
inline constexpr qint64 socketFailed = -2;
// Bytes sent, or wouldBlock, or socketFailed.
qint64 sendSome(SocketHandle socket, const char *data, qint64 size);
// Bytes read (0: the far side closed), or wouldBlock, or socketFailed.
qint64 receiveSome(SocketHandle socket, char *data, qint64 size);
void closeSocket(SocketHandle socket);

// The port a socket is bound to (after binding port 0).
quint16 localPort(SocketHandle socket);

} // namespace tb::net
