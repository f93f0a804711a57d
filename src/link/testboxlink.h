// The serial connection of one tool window to the Testbox: 2400 baud, 8N1, no flow control.
// Bytes go out unchanged and in order; reading never blocks. When the device behind an open port
// vanishes the link closes itself and says so once. With a traffic record the link writes its
// frames and received lines into it.
#pragma once

#include "link/trafficlog.h"

#include <QObject>
#include <QSerialPort>

#include <optional>

namespace tb {

class TestboxLink : public QObject
{
    Q_OBJECT
public:
    static constexpr qint32 baudRate = 2400;
    // Bytes the link holds that nobody has taken yet, at most.
    static constexpr qint64 maxUnread = 64 * 1024;

    explicit TestboxLink(QObject *parent = nullptr);
    ~TestboxLink() override;

    // The port number in a port text (" 3" gives 3): its leading number rounded to 16 bits;
    // nothing when that does not fit.
    static std::optional<int> portNumber(const QString &portText);

    // Opens port n with the line parameters, closing the link first if it is open.
    // False when the port number is not valid, the port is missing or busy, or a parameter is refused.
    bool open(int port);
    // Opens a device by its name; the traffic record names it as `port` (0 when it has no number).
    bool openDevice(const QString &device, int port);
    bool isOpen() const { return m_port.isOpen(); }
    void close();

    // Writes every byte and waits until the device has taken them. False when the link is not
    // open or the write fails.
    bool send(const QByteArray &bytes);

    // Everything that has arrived since the last call.
    QByteArray takeReceived();
    // The reader stops taking lines: what has come without a line end goes into the traffic record
    // as a line of its own (closing does the same).
    void endReception() { m_recorder.end(); }

    // The device name opened last (for telling the user which device a port number is).
    QString deviceName() const { return m_port.portName(); }

signals:
    void dataArrived();
    // The device went away while open; the link is closed now.
    void lost();

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    LinkRecorder m_recorder;
    bool m_sending = false;
};

} // namespace tb
