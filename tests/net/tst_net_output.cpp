// The AIS Monitor's sentences on the network: destinations as typed, a UDP socket and a TCP client
// on loopback getting exactly the sentences of a replay and of live lines, and a client that never
// reads, which neither holds up the monitor nor grows its memory past its bound.
#include "messagebits.h"
#include "monitor/monitorwindow.h"
#include "net/sentenceoutput.h"

#include "filebytes.h"
#include "pty/ptyport.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

using namespace tb;
using namespace tb::test;

namespace {

const QString mixedDump = QStringLiteral(TB_MONITOR_DATA "/mixed.dump");
const QString mixedSentences = QStringLiteral(TB_DECODE_DATA "/mixed.aivdm");

// A plain socket of the test's own, closed at the end.
class TestSocket
{
public:
    explicit TestSocket(int type) : m_fd(::socket(AF_INET, type, 0)) { fcntl(m_fd, F_SETFL, O_NONBLOCK); }
    ~TestSocket() { ::close(m_fd); }
    int fd() const { return m_fd; }

    quint16 bindLoopback()
    {
        sockaddr_in a = loopback(0);
        socklen_t length = sizeof a;
        ::bind(m_fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
        getsockname(m_fd, reinterpret_cast<sockaddr *>(&a), &length);
        return ntohs(a.sin_port);
    }
    bool connectLoopback(quint16 port)
    {
        const sockaddr_in a = loopback(port);
        return ::connect(m_fd, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0 || errno == EINPROGRESS;
    }
    // What has arrived, datagram by datagram for UDP.
    QByteArrayList readAll()
    {
        QByteArrayList got;
        char buffer[65536];
        for (ssize_t n; (n = ::recv(m_fd, buffer, sizeof buffer, 0)) > 0;)
            got += QByteArray(buffer, n);
        return got;
    }
    // Read past what came before the close.
    bool closedByPeer()
    {
        char buffer[65536];
        ssize_t n;
        while ((n = ::recv(m_fd, buffer, sizeof buffer, 0)) > 0) {
        }
        return n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
    }

private:
    static sockaddr_in loopback(quint16 port)
    {
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }
    int m_fd;
};

QByteArray liveLine(int mmsi)
{
    return testboxLine(MessageBits().put(0, 6, 1).put(8, 30, std::uint64_t(mmsi)).bytes()).toLatin1() + "\r\n";
}

} // namespace

class TestNetOutput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        QVERIFY(m_pty.open(3, m_work->dir()));
        m_host = std::make_unique<TestHost>();
        m_host->port = QStringLiteral(" 3");
    }
    void cleanup()
    {
        net::SentenceOutput::setCurrent(nullptr);
        delete m_window;
        m_pty.close();
        m_work.reset();
    }

    void destinations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("defaultHost");
        QTest::addColumn<QByteArray>("host"); // empty: refused
        QTest::addColumn<int>("port");
        QTest::newRow("host and port") << "192.168.1.20:10110" << QByteArray() << QByteArray("192.168.1.20") << 10110;
        QTest::newRow("name") << "plotter.local:2000" << QByteArray() << QByteArray("plotter.local") << 2000;
        QTest::newRow("IPv6") << "[::1]:10110" << QByteArray() << QByteArray("::1") << 10110;
        QTest::newRow("port alone takes the default") << "10110" << QByteArray("127.0.0.1") << QByteArray("127.0.0.1") << 10110;
        QTest::newRow("port alone without default") << "10110" << QByteArray() << QByteArray() << 0;
        QTest::newRow("empty address") << ":10110" << QByteArray("127.0.0.1") << QByteArray() << 0;
        QTest::newRow("port 0") << "host:0" << QByteArray() << QByteArray() << 0;
        QTest::newRow("port 0 to listen") << "0" << QByteArray("127.0.0.1") << QByteArray("127.0.0.1") << 0;
        QTest::newRow("port too large") << "host:65536" << QByteArray() << QByteArray() << 0;
        QTest::newRow("port not a number") << "host:nmea" << QByteArray() << QByteArray() << 0;
        QTest::newRow("IPv6 without brackets") << "::1:10110" << QByteArray() << QByteArray() << 0;
    }
    void destinations()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, defaultHost);
        QFETCH(QByteArray, host);
        QFETCH(int, port);
        QString error;
        const auto d = net::parseDestination(text, defaultHost, error);
        QCOMPARE(d.has_value(), !host.isEmpty());
        QCOMPARE(error.isEmpty(), d.has_value());
        if (d) {
            QCOMPARE(d->host, host);
            QCOMPARE(int(d->port), port);
        }
    }

    void unusableDestinationsAreTold()
    {
        TestSocket taken(SOCK_STREAM);
        const quint16 busy = taken.bindLoopback();
        QCOMPARE(::listen(taken.fd(), 1), 0);
        net::SentenceOutput output;
        const QStringList problems = output.open({"no.such.host.invalid:10110", "localhost:99999", "127.0.0.1:10110"},
                                                 QString::number(busy));
        QCOMPARE(problems.size(), 3);
        QVERIFY(problems[0].startsWith("Can't send to --udp no.such.host.invalid:10110: "));
        QCOMPARE(problems[1], "Can't send to --udp localhost:99999: the port must be a number from 1 to 65535");
        QVERIFY2(problems[2].startsWith("Can't listen on --tcp " + QString::number(busy) + ": Address"), qPrintable(problems[2]));
        QVERIFY(!output.isEmpty()); // the good UDP destination works on
    }

    // A replay and then live lines: both receivers get exactly testbox-decode's sentences.
    void udpAndTcpGetTheSentences()
    {
        TestSocket udp(SOCK_DGRAM);
        const quint16 udpPort = udp.bindLoopback();
        net::SentenceOutput output;
        QVERIFY(output.open({"127.0.0.1:" + QString::number(udpPort)}, QStringLiteral("0")).isEmpty());
        net::SentenceOutput::setCurrent(&output);
        TestSocket tcp(SOCK_STREAM);
        QVERIFY(tcp.connectLoopback(output.tcpPort()));
        QTRY_COMPARE(output.clientCount(), 1);

        m_window = new MonitorWindow(*m_host);
        m_window->show();
        m_host->scripted.fileNames.enqueue(mixedDump);
        QTest::mouseClick(control<QPushButton>(m_window, "cmdReadFile"), Qt::LeftButton);
        QCOMPARE(m_host->scripted.messages, QStringList {"Problem reading AIS data"}); // its line 8

        QByteArray expected = fileBytes(mixedSentences);
        QByteArrayList datagrams;
        QByteArray stream;
        const auto received = [&] {
            datagrams += udp.readAll();
            stream += tcp.readAll().join();
            return stream.size() >= expected.size() && datagrams.join().size() >= expected.size();
        };
        QTRY_VERIFY(received());
        QCOMPARE(stream, expected);
        QCOMPARE(datagrams.join(), expected);
        for (const QByteArray &d : datagrams) // one sentence each
            QVERIFY(d.startsWith("!AIVDM,") && d.endsWith("\r\n") && d.count('\n') == 1);

        // Live lines, in the order they came.
        QTest::mouseClick(control<QPushButton>(m_window, "cmdContinius"), Qt::LeftButton);
        const int row = m_window->messageStep().historyRow();
        QVERIFY(m_pty.write(liveLine(111) + liveLine(222)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), row + 2);
        monitor::AivdmReader reader;
        QTRY_VERIFY((stream += tcp.readAll().join()).size() >= expected.size() + 2 * 49);
        const QByteArrayList live = stream.sliced(expected.size()).split('\n');
        QCOMPARE(live.size(), 3);
        for (int i = 0; i < 2; ++i) {
            const monitor::SentenceResult r = reader.read(live[i]);
            QCOMPARE(int(r.status), int(monitor::SentenceStatus::Message));
            quint64 head = 0;
            for (int k = 0; k < 5; ++k)
                head = head << 8 | quint8(r.message.bytes[k]);
            QCOMPARE(int(head >> 2 & 0x3FFFFFFF), i == 0 ? 111 : 222); // the MMSI, bits 8 to 37
        }
        QByteArray liveDatagrams;
        QTRY_COMPARE((liveDatagrams += udp.readAll().join()), stream.sliced(expected.size()));
    }

    // A client that never reads, and a replay of far more than its bound: the replay runs through,
    // what waits for the client never passes the bound, the client is dropped and told in a note.
    void stuckClientIsDropped()
    {
        net::SentenceOutput output;
        QVERIFY(output.open({}, QStringLiteral("127.0.0.1:0")).isEmpty());
        QStringList notes;
        output.setNoteHandler([&notes](const QString &text) { notes += text; });
        net::SentenceOutput::setCurrent(&output);
        TestSocket stuck(SOCK_STREAM);
        const int small = 4096;
        setsockopt(stuck.fd(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        QVERIFY(stuck.connectLoopback(output.tcpPort()));
        TestSocket reader(SOCK_STREAM);
        QVERIFY(reader.connectLoopback(output.tcpPort()));
        QTRY_COMPARE(output.clientCount(), 2);
        // The other client reads all the while, as a plotter in its own process does.
        std::atomic<qint64> read {0};
        std::atomic<bool> stop {false};
        std::thread plotter([&] {
            char buffer[65536];
            while (!stop) {
                pollfd p {reader.fd(), POLLIN, 0};
                if (poll(&p, 1, 50) > 0) {
                    const ssize_t n = ::recv(reader.fd(), buffer, sizeof buffer, 0);
                    if (n <= 0)
                        break;
                    read += n;
                }
            }
        });

        // 20,000 messages, 1 MB of sentences.
        const QByteArray line = liveLine(123456789);
        QByteArray dump;
        for (int i = 0; i < 20000; ++i)
            dump += line;
        QFile file(m_work->file("big.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(dump) == dump.size());
        file.close();
        m_window = new MonitorWindow(*m_host);
        m_window->show();
        m_host->scripted.fileNames.enqueue(file.fileName()); // the saves at every 100th get no name
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(control<QPushButton>(m_window, "cmdReadFile"), Qt::LeftButton);
        qInfo("replay of 20,000 lines with a stuck client: %lld ms", timer.elapsed());
        QCOMPARE(m_window->messageStep().historyRow(), 0);
        QVERIFY(output.peakQueued() <= net::SentenceOutput::maxQueuedPerClient);
        QVERIFY(output.peakQueued() > 0);
        QTRY_COMPARE(read.load(), qint64(20000) * 49);
        stop = true;
        plotter.join();
        QCOMPARE(output.clientCount(), 1);
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0].startsWith("TCP client 127.0.0.1:") && notes[0].contains(" dropped: it took too long to read ("),
                 qPrintable(notes[0]));
        QTRY_VERIFY(stuck.closedByPeer());

        // A new client is served as before.
        TestSocket late(SOCK_STREAM);
        QVERIFY(late.connectLoopback(output.tcpPort()));
        QTRY_COMPARE(output.clientCount(), 2);
        QTest::mouseClick(control<QPushButton>(m_window, "cmdContinius"), Qt::LeftButton);
        QVERIFY(m_pty.write(liveLine(7)));
        QByteArray got;
        QTRY_VERIFY((got += late.readAll().join()).endsWith("\r\n"));
        QVERIFY(got.startsWith("!AIVDM,1,1,,A,1"));
    }

    // Input from clients is read and thrown away; a client that closes goes quietly.
    void clientInputIgnored()
    {
        net::SentenceOutput output;
        QVERIFY(output.open({}, QStringLiteral("0")).isEmpty());
        QStringList notes;
        output.setNoteHandler([&notes](const QString &text) { notes += text; });
        {
            TestSocket client(SOCK_STREAM);
            QVERIFY(client.connectLoopback(output.tcpPort()));
            QTRY_COMPARE(output.clientCount(), 1);
            const QByteArray chatter(100000, 'x');
            qsizetype written = 0;
            for (int tries = 0; written < chatter.size() && tries < 500; ++tries) {
                written += std::max<ssize_t>(0, ::send(client.fd(), chatter.constData() + written, size_t(chatter.size() - written), 0));
                QTest::qWait(5);
            }
            QCOMPARE(written, chatter.size());
            output.send({QByteArray("\x04\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 21), 168});
            QByteArray got;
            QTRY_VERIFY((got += client.readAll().join()).endsWith("\r\n"));
            QCOMPARE(got, "!AIVDM,1,1,,A,1000000000000000000000000000,0*27\r\n");
        }
        QTRY_COMPARE(output.clientCount(), 0);
        QVERIFY(notes.isEmpty());
    }

private:
    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    std::unique_ptr<TestHost> m_host;
    QPointer<MonitorWindow> m_window;
};

QTEST_MAIN(TestNetOutput)
#include "tst_net_output.moc"
