// The Testbox's end of the serial line in an end-to-end test, the tool holding port 3. On Linux a
// pseudo-terminal pair whose alias COM3 is in the working directory. Under wine COM3 and COM4 are
// the two ends of one line (tests/wine/wire.sh joins two pseudo-terminals), and this is COM4.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>

#ifdef _WIN32
#include <QSerialPort>
#else
#include "pty/ptyport.h"
#endif

namespace tb::test {

class TestboxEnd
{
public:
    static constexpr int toolPort = 3;

#ifdef _WIN32
    bool open(const QDir &)
    {
        m_port.setPortName(QStringLiteral("COM4"));
        return m_port.open(QIODevice::ReadWrite) && m_port.setBaudRate(2400) && m_port.setDataBits(QSerialPort::Data8)
            && m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop);
    }
    void close() { m_port.close(); }
    QString errorString() const { return m_port.errorString(); }
    QByteArray readExactly(int count, int timeoutMs = 5000)
    {
        QByteArray bytes;
        QElapsedTimer clock;
        clock.start();
        while (bytes.size() < count && clock.elapsed() < timeoutMs) {
            bytes += m_port.read(count - bytes.size());
            if (bytes.size() < count)
                m_port.waitForReadyRead(int(std::max<qint64>(1, timeoutMs - clock.elapsed())));
        }
        return bytes;
    }
    // What arrives within `quietMs` beyond the expected bytes.
    QByteArray extra(int quietMs = 200)
    {
        m_port.waitForReadyRead(quietMs);
        return m_port.readAll();
    }
    bool write(const QByteArray &bytes)
    {
        return m_port.write(bytes) == bytes.size() && m_port.waitForBytesWritten(5000);
    }

private:
    QSerialPort m_port;
#else
    bool open(const QDir &dir) { return m_pty.open(toolPort, dir, &m_error); }
    void close() { m_pty.close(); }
    QString errorString() const { return m_error; }
    QByteArray readExactly(int count, int timeoutMs = 5000) { return m_pty.readExactly(count, timeoutMs); }
    QByteArray extra(int quietMs = 200) { return m_pty.read(quietMs); }
    bool write(const QByteArray &bytes) { return m_pty.write(bytes); }

private:
    PtyPort m_pty;
    QString m_error;
#endif
};

} // namespace tb::test
