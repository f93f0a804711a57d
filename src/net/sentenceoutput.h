// The AIS Monitor's standard output: every message it takes, as !AIVDM sentences, to UDP
// destinations (`--udp HOST:PORT`, one datagram a sentence) and to the chart plotters connected
// to its TCP port (`--tcp [ADDRESS:]PORT`, loopback unless an address is named).
//
// Nothing here waits: sockets are non-blocking and followed through their notifiers. Each TCP
// client has a queue of its own, bounded; a client that lets it fill is dropped (and a note
// says so), so a stuck plotter can neither hold up the monitor nor grow its memory. What clients
// send is read and thrown away.
#pragma once

#include "monitor/aivdm.h"
#include "net/sockets.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <list>
#include <memory>

class QSocketNotifier;

namespace tb::net {

struct Destination
{
    QByteArray host;
    quint16 port = 0;
};

// "HOST:PORT", "[IPV6]:PORT", or with `defaultHost` also "PORT" alone. The reason when refused.
std::optional<Destination> parseDestination(const QString &text, const QByteArray &defaultHost, QString &error);

class SentenceOutput : public QObject
{
    Q_OBJECT
public:
    // What one client may have waiting (on top of its socket's own send buffer of the same size).
    static constexpr qsizetype maxQueuedPerClient = 64 * 1024;
    static constexpr const char *defaultTcpHost = "127.0.0.1";

    explicit SentenceOutput(QObject *parent = nullptr);
    ~SentenceOutput() override;

    // Opens the destinations; each that can't be used gives one line of the result, and the
    // others work on. An empty `tcp` listens nowhere.
    QStringList open(const QStringList &udp, const QString &tcp);
    bool isEmpty() const { return m_udp.empty() && m_listener == noSocket; }

    // The sentences of one message, to every destination.
    void send(const monitor::AisMessage &message);

    // Told each time a client is dropped.
    void setNoteHandler(std::function<void(const QString &)> handler) { m_note = std::move(handler); }

    // The port listened on (useful after asking for port 0).
    quint16 tcpPort() const;
    int clientCount() const { return int(m_clients.size()); }
    // The most bytes any client had waiting at once, since the start.
    qsizetype peakQueued() const { return m_peakQueued; }

    // The output the monitor writes to; null when there is none.
    static SentenceOutput *current();
    static void setCurrent(SentenceOutput *output);

private:
    struct Client;

    void acceptClients();
    void sendTo(Client &client, const QByteArray &bytes);
    void flush(Client &client);
    void readFrom(Client &client);
    void drop(Client &client, const QString &why);
    void note(const QString &text);

    monitor::AivdmWriter m_writer;
    QByteArray m_sentences;
    struct Udp
    {
        QString name;
        SocketHandle socket;
    };
    std::list<Udp> m_udp;
    SocketHandle m_listener = noSocket;
    QSocketNotifier *m_accept = nullptr;
    std::list<std::unique_ptr<Client>> m_clients;
    qsizetype m_peakQueued = 0;
    std::function<void(const QString &)> m_note;
};

} // namespace tb::net
