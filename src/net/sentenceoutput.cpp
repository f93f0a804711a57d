#include "sentenceoutput.h"

#include <QSocketNotifier>

namespace tb::net {

namespace {

SentenceOutput *currentOutput = nullptr;

} // namespace

struct SentenceOutput::Client
{
    SocketHandle socket = noSocket;
    QString peer;
    QByteArray queue;
    std::unique_ptr<QSocketNotifier> read;
    std::unique_ptr<QSocketNotifier> write;
    bool dropped = false;
};

std::optional<Destination> parseDestination(const QString &text, const QByteArray &defaultHost, QString &error)
{
    QString host;
    QString port = text;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close < 0 || text.mid(close + 1, 1) != u":") {
            error = QStringLiteral("not [ADDRESS]:PORT");
            return std::nullopt;
        }
        host = text.mid(1, close - 1);
        port = text.mid(close + 2);
    } else if (const qsizetype colon = text.lastIndexOf(u':'); colon >= 0) {
        host = text.left(colon);
        port = text.mid(colon + 1);
        if (host.contains(u':')) {
            error = QStringLiteral("an IPv6 address goes in brackets: [ADDRESS]:PORT");
            return std::nullopt;
        }
    }
    if (host.isEmpty() && (defaultHost.isEmpty() || text.contains(u':'))) {
        error = defaultHost.isEmpty() ? QStringLiteral("not HOST:PORT") : QStringLiteral("no address before the \":\"");
        return std::nullopt;
    }
    bool ok = false;
    const uint number = port.toUInt(&ok);
    // A listener may take port 0, a free one the system picks.
    if (!ok || (number == 0 && defaultHost.isEmpty()) || number > 65535 || port.startsWith(u'+')) {
        error = QStringLiteral("the port must be a number from 1 to 65535");
        return std::nullopt;
    }
    return Destination {host.isEmpty() ? defaultHost : host.toUtf8(), quint16(number)};
}

SentenceOutput::SentenceOutput(QObject *parent) : QObject(parent)
{
}

SentenceOutput::~SentenceOutput()
{
    if (currentOutput == this)
        currentOutput = nullptr;
    for (auto &client : m_clients) {
        client->read.reset();
        client->write.reset();
        closeSocket(client->socket);
    }
    delete m_accept;
    closeSocket(m_listener);
    for (const Udp &udp : m_udp)
        closeSocket(udp.socket);
}

QStringList SentenceOutput::open(const QStringList &udp, const QString &tcp)
{
    QStringList problems;
    QString error;
    if (!startSockets(error))
        return {QStringLiteral("No network: %1").arg(error)};
    for (const QString &text : udp) {
        const auto to = parseDestination(text, {}, error);
        const auto address = to ? resolve(to->host, to->port, true, error) : std::nullopt;
        const SocketHandle socket = address ? openDatagramSender(*address, error) : noSocket;
        if (socket == noSocket)
            problems += QStringLiteral("Can't send to --udp %1: %2").arg(text, error);
        else
            m_udp.push_back({text, socket});
    }
    if (!tcp.isEmpty()) {
        const auto at = parseDestination(tcp, defaultTcpHost, error);
        const auto address = at ? resolve(at->host, at->port, false, error) : std::nullopt;
        m_listener = address ? openListener(*address, error) : noSocket;
        if (m_listener == noSocket) {
            problems += QStringLiteral("Can't listen on --tcp %1: %2").arg(tcp, error);
        } else {
            m_accept = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
            connect(m_accept, &QSocketNotifier::activated, this, &SentenceOutput::acceptClients);
        }
    }
    return problems;
}

quint16 SentenceOutput::tcpPort() const
{
    return m_listener == noSocket ? 0 : localPort(m_listener);
}

void SentenceOutput::send(const monitor::AisMessage &message)
{
    m_sentences.clear();
    if (!m_writer.write(message, m_sentences))
        return;
    // One datagram a sentence; a full socket or nobody listening loses it, as UDP may.
    for (const Udp &udp : m_udp) {
        for (qsizetype from = 0; from < m_sentences.size();) {
            const qsizetype end = m_sentences.indexOf('\n', from) + 1;
            sendSome(udp.socket, m_sentences.constData() + from, end - from);
            from = end;
        }
    }
    for (auto &client : m_clients)
        sendTo(*client, m_sentences);
    m_clients.remove_if([](const std::unique_ptr<Client> &c) { return c->dropped; });
}

void SentenceOutput::acceptClients()
{
    for (;;) {
        auto client = std::make_unique<Client>();
        client->socket = acceptConnection(m_listener, int(maxQueuedPerClient), client->peer);
        if (client->socket == noSocket)
            return;
        Client *c = client.get();
        client->read = std::make_unique<QSocketNotifier>(client->socket, QSocketNotifier::Read);
        connect(client->read.get(), &QSocketNotifier::activated, this, [this, c] { readFrom(*c); });
        client->write = std::make_unique<QSocketNotifier>(client->socket, QSocketNotifier::Write);
        client->write->setEnabled(false);
        connect(client->write.get(), &QSocketNotifier::activated, this, [this, c] { flush(*c); });
        m_clients.push_back(std::move(client));
    }
}

void SentenceOutput::sendTo(Client &client, const QByteArray &bytes)
{
    if (client.dropped)
        return;
    if (client.queue.size() + bytes.size() > maxQueuedPerClient) {
        drop(client, QStringLiteral("it took too long to read (%1 bytes waiting)").arg(client.queue.size()));
        return;
    }
    client.queue += bytes;
    m_peakQueued = std::max(m_peakQueued, client.queue.size());
    flush(client);
}

void SentenceOutput::flush(Client &client)
{
    if (client.dropped)
        return;
    while (!client.queue.isEmpty()) {
        const qint64 sent = sendSome(client.socket, client.queue.constData(), client.queue.size());
        if (sent == socketFailed) {
            drop(client, QStringLiteral("the connection failed"));
            return;
        }
        if (sent == wouldBlock || sent == 0)
            break;
        client.queue.remove(0, sent);
    }
    client.write->setEnabled(!client.queue.isEmpty());
}

void SentenceOutput::readFrom(Client &client)
{
    char ignored[4096];
    for (;;) {
        const qint64 got = receiveSome(client.socket, ignored, sizeof ignored);
        if (got == wouldBlock)
            return;
        if (got <= 0) {
            drop(client, got == 0 ? QString() : QStringLiteral("the connection failed"));
            m_clients.remove_if([](const std::unique_ptr<Client> &c) { return c->dropped; });
            return;
        }
    }
}

void SentenceOutput::drop(Client &client, const QString &why)
{
    client.dropped = true;
    client.read->setEnabled(false);
    client.write->setEnabled(false);
    closeSocket(client.socket);
    client.socket = noSocket;
    // A client that closed itself is no news.
    if (!why.isEmpty())
        note(QStringLiteral("TCP client %1 dropped: %2").arg(client.peer, why));
    // The notifiers may be the caller; they go once control is back in the event loop.
    client.read.release()->deleteLater();
    client.write.release()->deleteLater();
}

void SentenceOutput::note(const QString &text)
{
    if (m_note)
        m_note(text);
}

SentenceOutput *SentenceOutput::current()
{
    return currentOutput;
}

void SentenceOutput::setCurrent(SentenceOutput *output)
{
    currentOutput = output;
}

} // namespace tb::net
