// A raw pseudo-terminal pair that stands in for a Testbox: the tool opens the slave side through a
// `COMn` alias in the working directory, and the master side sees the bytes on the wire.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

namespace tb {

class PtyPort
{
public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort &) = delete;
    PtyPort &operator=(const PtyPort &) = delete;

    // Opens a raw pair and links `COM<port>` in `dir` to its slave. False with a reason on failure.
    bool open(int port, const QDir &dir, QString *error = nullptr);
    // The lowest port number from `from` to 25 without an entry `COMn` in `dir`; 0 when all are taken.
    static int firstFreePort(const QDir &dir, int from = 1);

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    QString aliasPath() const { return m_aliasPath; }

    // Bytes that have arrived, waiting up to `timeoutMs` for the first one.
    QByteArray read(int timeoutMs = 0);
    // Collects bytes until `count` have arrived or `timeoutMs` passed.
    QByteArray readExactly(int count, int timeoutMs = 3000);
    bool write(const QByteArray &bytes);

    // Bytes written to the tool's side that nobody has read yet.
    qsizetype unreadBySlave() const;
    // Drops them, as a serial port that nobody holds open loses what arrives.
    void discardUnread();

    // Ends the pair as an unplugged device would: the tool's side then fails to read.
    void close();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_aliasPath;
};

} // namespace tb
