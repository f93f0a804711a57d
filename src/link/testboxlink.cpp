#include "testboxlink.h"

#include "common/numbers.h"
#include "link/portmap.h"

namespace tb {

namespace {

constexpr int writeTimeoutMs = 2000;

} // namespace

TestboxLink::TestboxLink(QObject *parent) : QObject(parent)
{
    // What nobody has taken stays in the device and its driver, not in memory without end: a
    // device that floods while its window is busy cannot grow the process.
    m_port.setReadBufferSize(maxUnread);
    connect(&m_port, &QSerialPort::readyRead, this, &TestboxLink::dataArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &TestboxLink::onError);
}

TestboxLink::~TestboxLink()
{
    close();
}

std::optional<int> TestboxLink::portNumber(const QString &portText)
{
    const auto n = roundToInt16(readNumber(portText));
    if (!n)
        return std::nullopt;
    return int(*n);
}

bool TestboxLink::open(int port)
{
    return openDevice(PortMap::probe().device(port), port);
}

bool TestboxLink::openDevice(const QString &device, int port)
{
    close();
    if (device.isEmpty())
        return false;
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    const bool configured = m_port.setBaudRate(baudRate) && m_port.setDataBits(QSerialPort::Data8)
        && m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop)
        && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_port.close();
        return false;
    }
    m_port.clear();
    m_recorder.begin(port);
    return true;
}

void TestboxLink::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_recorder.end();
}

bool TestboxLink::send(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    m_sending = true;
    const qint64 written = m_port.write(bytes);
    m_recorder.sent(bytes.left(std::max<qint64>(written, 0)));
    bool ok = written == bytes.size();
    while (ok && m_port.bytesToWrite() > 0)
        ok = m_port.waitForBytesWritten(writeTimeoutMs);
    m_sending = false;
    return ok && m_port.isOpen();
}

QByteArray TestboxLink::takeReceived()
{
    if (!m_port.isOpen())
        return {};
    QByteArray bytes = m_port.readAll();
    m_recorder.received(bytes);
    return bytes;
}

void TestboxLink::onError(QSerialPort::SerialPortError error)
{
    // A vanished device keeps reporting read errors while the port stays open: close on the first.
    const bool gone = error == QSerialPort::ReadError || error == QSerialPort::ResourceError;
    if (!gone || !m_port.isOpen() || m_sending)
        return;
    close();
    emit lost();
}

} // namespace tb
